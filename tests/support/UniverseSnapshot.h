#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "data/DataModule1.h"

// Every stored row of the six universe tables in stored order, and their
// counters: two snapshots are equal exactly when the files saved from them are.
namespace qvtest {

struct TableSnapshot {
  std::string table;
  std::vector<std::vector<std::string>> rows;  // the stored fields' values, as text
  std::int64_t nextAutoInc = 0;
  friend bool operator==(const TableSnapshot&, const TableSnapshot&) = default;
  // For a test's failure message.
  friend void PrintTo(const TableSnapshot& snapshot, std::ostream* out) {
    *out << snapshot.table << " (next " << snapshot.nextAutoInc << "):";
    for (const auto& row : snapshot.rows) {
      *out << "\n ";
      for (const std::string& value : row)
        *out << " " << value;
    }
  }
};

inline std::vector<TableSnapshot> Snapshot(qv::TDataModule1& store) {
  std::vector<TableSnapshot> tables;
  for (qv::Table* table : store.AllTables()) {
    if (table == &store.AuxRequestData) continue;
    TableSnapshot& snapshot = tables.emplace_back();
    snapshot.table = table->Name();
    snapshot.nextAutoInc = table->NextAutoInc();
    for (const qv::Record& record : table->AllRecords()) {
      std::vector<std::string>& row = snapshot.rows.emplace_back();
      for (int i = 0; i < table->FieldCount(); ++i) {
        if (!table->Fields(i).IsStored()) continue;
        const qv::Value value = record.Get(i);
        // The kind too: true and 1 read alike as text.
        row.push_back(std::to_string(static_cast<int>(value.GetKind())) + ":" + value.ToString());
      }
    }
  }
  return tables;
}

}  // namespace qvtest
