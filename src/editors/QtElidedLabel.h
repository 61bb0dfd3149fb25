#pragma once

#include <QLabel>

namespace qv {

// A one-line label that, given less room than its text needs, shows the
// start of it with an ellipsis instead of cutting it off mid-letter. Its
// text stays whole (text(), the tooltip a window gives it).
class QtElidedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // Room for the ellipsis alone: the layout may give it less than its text.
  QSize minimumSizeHint() const override;
  // What the label shows at its present width.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qv
