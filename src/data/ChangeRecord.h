#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"

namespace qv {

// What one step did to the universe, in words a menu can show: the kind of
// operation (language-neutral, so that the texts can be translated) and the
// name of the row it was about.
enum class ChangeKind {
  // A write made outside any named operation, named after its first row change.
  EditRow,
  AddRow,
  DeleteRow,
  // Named operations of the store.
  AddSector,
  EditSector,
  DeleteSector,
  PlaceFactory,
  EditPlacedFactory,
  RemoveFactory,
  PlaceTrader,
  EditTrader,
  RemoveTrader,
  AddFactoryType,
  EditFactoryType,
  DeleteFactoryType,
  AddRecipeRow,
  EditRecipeRow,
  DeleteRecipeRow,
  AddProduct,
  EditProduct,
  DeleteProduct,
  Reveal,
  BulkChange,
  Other,
};

enum class RowChangeKind { Insert, Update, Delete };

// One row written, as the table stores it. A row is identified by its place
// in the table's stored order (the order its file keeps): not every table has
// an Id field, and a place is what putting the row back needs anyway.
struct RowChange {
  std::string table;  // the table's name
  RowChangeKind kind = RowChangeKind::Update;
  int place = 0;     // 0-based: where the row is (Update), came (Insert) or was (Delete)
  RowValues before;  // every slot of the row before (empty for Insert)
  RowValues after;   // every slot of the row after (empty for Delete)
  friend bool operator==(const RowChange&, const RowChange&) = default;
};

// A table's AutoInc counter across a step. A new row that was cancelled still
// used up an Id, and the table file keeps the counter, so the counter is part
// of the step.
struct CounterChange {
  std::string table;
  std::int64_t before = 0;
  std::int64_t after = 0;
  friend bool operator==(const CounterChange&, const CounterChange&) = default;
};

// One step: every row change one operation made (a cascade included), in the
// order they happened, and the counters of the tables it touched. Applied in
// order it repeats the step; Reversed() undoes it exactly.
struct ChangeRecord {
  ChangeKind kind = ChangeKind::Other;
  std::string name;  // the row the step was about ("Vossk Prime"); may be empty
  std::vector<RowChange> rows;
  std::vector<CounterChange> counters;

  bool Empty() const { return rows.empty(); }
  // The step that takes the tables back to where this one started: the row
  // changes in reverse order, inserts and deletes swapped, before and after
  // swapped.
  ChangeRecord Reversed() const;
  friend bool operator==(const ChangeRecord&, const ChangeRecord&) = default;
};

// Where a finished record comes from, for whoever listens to the store.
enum class ChangeOrigin {
  Edit,    // an edit made now
  Undo,    // an undo: the record given is what the undo did (the step reversed)
  Redo,    // a redo: the step applied again
  Replay,  // a step of the journal applied at start
};

// The language file key of a kind ("DeleteSector") and its English text with
// "%s" for the row's name ("delete sector \"%s\"").
std::string_view ChangeKindKey(ChangeKind kind);
std::string_view ChangeKindText(ChangeKind kind);
// The kind of a write made outside any named operation, from its first row change.
ChangeKind KindOfRowChange(std::string_view table, RowChangeKind change);
// The step in words, from a text with "%s" for the name (ChangeKindText's by
// default): "delete sector "Vossk Prime"". Without a name, "%s" and the quotes
// around it go.
std::string ChangeText(const ChangeRecord& record, std::string_view format = {});

}  // namespace qv
