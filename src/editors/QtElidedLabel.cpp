#include "editors/QtElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace qv {

QSize QtElidedLabel::minimumSizeHint() const {
  const QMargins margins = contentsMargins();
  return QSize(
      fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + margins.left() + margins.right(),
      QLabel::minimumSizeHint().height());
}

QString QtElidedLabel::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void QtElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                        isEnabled(), ShownText(), foregroundRole());
}

}  // namespace qv
