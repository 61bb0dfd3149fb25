#pragma once

#include <QFontDialog>
#include <QString>

#include "settings/FontParams.h"
#include "settings/Settings.h"

class QLabel;
class QPushButton;

namespace qv {

class Dialogs;

// Qt's font dialog with the colour of the font as well: with the effects
// shown, a colour button beside underline and strikeout opens the colour
// dialog (PickColor, with the program's custom colours), and the sample
// shows its text in the chosen colour. Without effects the dialog offers
// face, style and size only, and the colour, underline and strikeout of the
// font given are kept.
class QtFontColorDialog : public QFontDialog {
  Q_OBJECT

 public:
  // `colorText` is the colour button's label ("&Colour:").
  QtFontColorDialog(const TFontParams& font, bool showEffects, Dialogs& dialogs,
                    CustomColorList& customColors, const QString& colorText,
                    QWidget* parent = nullptr);

  // The font chosen so far: face, size and style from the dialog, the colour
  // from the colour button, the character set kept. A face the player did not
  // change keeps its stored name, even where the system draws another face
  // for it.
  TFontParams Chosen() const;

 private:
  void ColorButtonClick();
  void ShowColorInSample();

  Dialogs& dialogs_;
  CustomColorList& customColors_;
  TFontParams given_;
  QString shownFamily_;  // the face the dialog opened on
  TColor color_;
  bool showEffects_;
  QPushButton* colorButton_ = nullptr;  // ColorButton
  QLabel* colorLabel_ = nullptr;        // ColorLabel
};

}  // namespace qv
