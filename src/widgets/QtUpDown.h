#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace qv {

// A pair of up and down arrows with a position in a 32-bit range. On its own
// it only reports the clicks; attached to a text box it steps the number in
// the box (read from its leading digits) and writes the new position there,
// and the box's Up and Down keys step it as well.
class QtUpDown : public QWidget {
  Q_OBJECT

 public:
  explicit QtUpDown(QWidget* parent = nullptr);

  void SetRange(int minimum, int maximum);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  // Moves the arrows (clamped to the range); an attached box shows the position.
  void SetPosition(int position);
  int Position() const { return position_; }
  void Associate(QLineEdit* edit);

  // As a click on an arrow.
  void Step(bool up);

 signals:
  void clicked(bool up);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
  QLineEdit* edit_ = nullptr;
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
};

}  // namespace qv
