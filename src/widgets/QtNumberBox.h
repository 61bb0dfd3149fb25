#pragma once

#include <QSpinBox>

namespace qv {

// An up-down number field in which the player types freely: "150" can be
// typed where the range ends at 100. What was typed is held to the range
// when the box loses focus, when Enter is pressed in it, or when its window
// takes the value (CommitNumberBoxes): a number beyond a limit becomes that
// limit and the box shows it.
class QtNumberBox : public QSpinBox {
  Q_OBJECT

 public:
  QtNumberBox(int minimum, int maximum, QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  void fixup(QString& text) const override;
};

// Takes what was typed into every number box of `window`, held to each
// box's range; a dialog calls it before it reads the values.
void CommitNumberBoxes(QWidget& window);

}  // namespace qv
