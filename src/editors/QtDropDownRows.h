#pragma once

class QComboBox;

namespace qv {

// Rows a drop-down list shows at a time unless its window says otherwise.
constexpr int kDropDownRows = 15;

// Makes `box` show at most `rows` items at a time when its list drops down,
// scrolling through the rest. Some styles otherwise open the list of a
// non-editable box as a menu as tall as the screen; every combo box of the
// program goes through here.
void LimitDropDownRows(QComboBox& box, int rows = kDropDownRows);

}  // namespace qv
