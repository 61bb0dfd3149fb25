#include "widgets/QtUpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/TextUtil.h"

namespace qv {

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedSize(17, 11);
  return button;
}

}  // namespace

QtUpDown::QtUpDown(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(Qt::UpArrow, this)), down_(MakeArrow(Qt::DownArrow, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(up_, &QToolButton::clicked, this, [this] { Step(true); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(false); });
}

void QtUpDown::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  position_ = std::clamp(position_, minimum_, maximum_);
}

void QtUpDown::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  if (edit_) edit_->setText(QString::number(position_));
}

void QtUpDown::Associate(QLineEdit* edit) {
  edit_ = edit;
  edit_->installEventFilter(this);
}

void QtUpDown::Step(bool up) {
  if (edit_) {
    // The box may hold a number typed since the last step.
    const int typed = LeadingInteger(edit_->text().toStdString());
    position_ = std::clamp(typed, minimum_, maximum_);
    const long long next = static_cast<long long>(position_) + (up ? 1 : -1);
    SetPosition(static_cast<int>(std::clamp<long long>(next, minimum_, maximum_)));
  }
  emit clicked(up);
}

bool QtUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qv
