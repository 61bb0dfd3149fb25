#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"
#include "data/Value.h"

// What the fuzz targets share: a broken promise stops the run like a crash,
// so that libFuzzer keeps the input that broke it.
namespace qvfuzz {

// Prints `what` and aborts when `holds` is false.
void Require(bool holds, std::string_view what);

std::string Bytes(const std::uint8_t* data, std::size_t size);
void WriteFile(const std::string& path, std::string_view bytes);
// The file's bytes; `exists` tells whether there was a file at all.
std::string ReadFile(const std::string& path, bool* exists = nullptr);

// Every stored row's values in the table's order, to compare two tables.
std::vector<std::vector<qv::Value>> RowsOf(const qv::Table& table);

// Loads the file at `path` into `copy`, a table of the same schema as
// `original`, and requires the same rows and the same AutoInc counter.
void RequireLoadsAsSaved(const qv::Table& original, qv::Table& copy, const std::string& path);

}  // namespace qvfuzz
