#include "app/QtMapSurface.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace qv {

QtMapSurface::QtMapSurface(QWidget* parent) : QWidget(parent) {
  setObjectName("PaintBox1");
  // The map paints every pixel itself.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

void QtMapSurface::paintEvent(QPaintEvent* event) {
  if (!paint_) return;
  QPainter painter(this);
  painter.setClipRegion(event->region());
  paint_(painter, event->rect());
}

void QtMapSurface::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->position().toPoint(), event->button());
  event->accept();
}

void QtMapSurface::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click starts with a press of its own; the selection follows it
  // before the command runs.
  emit MouseDown(event->position().toPoint(), event->button());
  if (event->button() == Qt::LeftButton) emit DoubleClicked(event->position().toPoint());
  event->accept();
}

void QtMapSurface::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuRequested(event->globalPos());
  event->accept();
}

}  // namespace qv
