#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/Field.h"
#include "settings/Color.h"
#include "settings/FontParams.h"

namespace qv {

// How a cell editor offers its choices: Auto drops down the pick list when
// the column has one (a lookup field its lookup rows), Ellipsis shows a
// button that the window answers, None edits plain text.
enum class EditButtonStyle { Auto, Ellipsis, None };

struct TColumnTitle {
  std::string Caption;  // empty: the field's display label
  Alignment Align = Alignment::Left;
  std::optional<TColor> Color;      // none: the grid's header colour
  std::optional<TFontParams> Font;  // none: the grid's header font

  friend bool operator==(const TColumnTitle&, const TColumnTitle&) = default;
};

// One column of a data grid: the field it shows and how. Unset properties
// follow the field or the grid, so a layout stays right when those change.
struct TColumn {
  std::string FieldName;
  int Width = 0;  // pixels; 0: as wide as the field's display width
  bool Visible = true;
  bool ReadOnly = false;
  std::optional<Alignment> Align;   // none: the field's alignment
  std::optional<TColor> Color;      // none: the grid's cell colour
  std::optional<TFontParams> Font;  // none: the grid's font (its colour is the text colour)
  std::vector<std::string> PickList;
  EditButtonStyle ButtonStyle = EditButtonStyle::Auto;
  int DropDownRows = 7;
  TColumnTitle Title;

  friend bool operator==(const TColumn&, const TColumn&) = default;
};

// A grid's columns in display order, left to right.
using TColumnList = std::vector<TColumn>;

// The first column that shows `fieldName` (exact, case-sensitive), or nullptr.
TColumn* FindColumn(TColumnList& columns, const std::string& fieldName);
const TColumn* FindColumn(const TColumnList& columns, const std::string& fieldName);

// A value list as language files give it ("Yes;No"): every ";" separates
// items as a "," does, and quoted items keep their commas.
std::vector<std::string> PickListFromText(const std::string& text);

// The text of a column layout file, and the layout read back from one.
// Reading refuses (nothing, with the reason in `error`) a file that is not a
// layout of this program. Of a layout, everything that can be read is kept:
// an unknown entry or a value no column can have leaves that one property as
// it was, a column that names no field is left out, and each of them is
// noted in `skipped` ("line 7: bad entry Width").
std::string FormatColumnLayout(const TColumnList& columns);
std::optional<TColumnList> ParseColumnLayout(const std::string& text, std::string* error,
                                             std::vector<std::string>* skipped = nullptr);

// The layout stored at `path`; nothing (and the reason) when the file cannot
// be read or is no layout.
std::optional<TColumnList> ReadColumnLayoutFile(const std::string& path, std::string* error);
// Creates or replaces `path` in one step; TableError when it cannot be written.
void WriteColumnLayoutFile(const std::string& path, const TColumnList& columns);

}  // namespace qv
