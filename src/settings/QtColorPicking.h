#pragma once

#include "settings/Color.h"
#include "settings/FontParams.h"
#include "settings/Settings.h"

class QAbstractButton;

namespace qv {

class Dialogs;

// Puts a colour swatch on a button in place of its caption: a rectangle from
// (1, 0) to (width, height) filled with `color` and outlined in the button
// text colour on the button face, and an empty outline as the disabled image.
// The icon is (width + 1) x (height + 1).
void MakeColorGlyph(QAbstractButton& button, int width, int height, TColor color);

// Lets the player choose a colour starting from `color`, with the program's
// custom colours. Only a colour different from the one given counts: then
// `color` takes it, the button's swatch (30 x 12) shows it, the custom colour
// list becomes the dialog's, and the result is true.
bool PickColor(Dialogs& dialogs, QAbstractButton& button, TColor& color,
               CustomColorList& customColors);

// Lets the player change a font setting; the effects (underline, strikeout,
// colour, the colour picked with the program's custom colours) are offered
// only when `showEffects`. True, and `font` changed, when the dialog is
// confirmed.
bool EditFont(TFontParams& font, Dialogs& dialogs, bool showEffects, CustomColorList& customColors);

}  // namespace qv
