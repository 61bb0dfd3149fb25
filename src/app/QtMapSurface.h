#pragma once

#include <QWidget>
#include <functional>

namespace qv {

// The drawing surface of the main window inside its scrolling viewport. It
// holds no state of its own: the window paints it and hears its mouse.
class QtMapSurface : public QWidget {
  Q_OBJECT
 public:
  using PaintHandler = std::function<void(QPainter& painter, const QRect& exposed)>;

  explicit QtMapSurface(QWidget* parent = nullptr);
  void SetPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }

 signals:
  void MouseDown(QPoint position, Qt::MouseButton button);
  void DoubleClicked(QPoint position);
  void ContextMenuRequested(QPoint globalPosition);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  PaintHandler paint_;
};

}  // namespace qv
