#pragma once

#include <QString>

class QComboBox;
class QWidget;

namespace qvtest {

// Replaces the text of a line edit, or of the text box of a spin box, key by
// key as a player types; keys its validator refuses are lost as they would be.
void TypeInto(QWidget& widget, const QString& text);

// The rows a combo box's list shows at a time when it drops down. The box
// must be in a shown window.
int ShownDropDownRows(QComboBox& box);

}  // namespace qvtest
