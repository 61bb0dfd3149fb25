#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "data/Record.h"
#include "data/TableFile.h"

namespace qvfuzz {

void Require(bool holds, std::string_view what) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

std::string Bytes(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out), "the fuzz input can be written to " + path);
}

std::string ReadFile(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists) *exists = static_cast<bool>(in);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::vector<qv::Value>> RowsOf(const qv::Table& table) {
  std::vector<std::vector<qv::Value>> rows;
  for (const qv::Record& record : table.AllRecords()) {
    const qv::RowValues& values = record.GetRow()->values;
    rows.emplace_back(values.begin(), values.end());
  }
  return rows;
}

void RequireLoadsAsSaved(const qv::Table& original, qv::Table& copy, const std::string& path) {
  try {
    qv::LoadTableFile(copy, path);
  } catch (const qv::TableError& error) {
    Require(false, std::string("a saved table file loads again, but: ") + error.what());
  }
  Require(RowsOf(copy) == RowsOf(original), "a saved table file loads to the same rows");
  Require(copy.NextAutoInc() == original.NextAutoInc(),
          "a saved table file loads to the same AutoInc counter");
}

}  // namespace qvfuzz
