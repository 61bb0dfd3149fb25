#include "settings/QtWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "settings/IniFile.h"

namespace qv {

namespace {

// Used only when there is no screen at all (no display attached).
const QRect kFallbackScreen(0, 0, 1024, 768);

QRect PrimaryScreenGeometry() {
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      if (!screen->geometry().isEmpty()) return screen->geometry();
    }
  }
  return kFallbackScreen;
}

// The start of a default span of `size` within [low, high): centred, against
// the far edge, or from the near edge when the span is the whole range.
int DefaultStart(int low, int high, int size, bool centre) {
  if (size < 0) return low;
  if (centre) return low + (high - low - size) / 2;
  return high - size;
}

// True when some part of `rect` lies on the work area of some screen.
bool IsReachable(const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return false;
  if (qGuiApp) {
    for (const QScreen* screen : QGuiApplication::screens())
      if (screen->availableGeometry().intersects(rect)) return true;
    if (!QGuiApplication::screens().isEmpty()) return false;
  }
  return WorkArea().intersects(rect);
}

void SetMaximized(QWidget& window, bool maximized) {
  const Qt::WindowStates state = window.windowState();
  window.setWindowState(maximized ? (state | Qt::WindowMaximized) : (state & ~Qt::WindowMaximized));
}

}  // namespace

QRect WorkArea() {
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      if (!screen->availableGeometry().isEmpty()) return screen->availableGeometry();
    }
  }
  return QRect(QPoint(0, 0), PrimaryScreenGeometry().size());
}

void LoadWindowPlacement(const IniFile* settings, QWidget& window, const std::string& section,
                         int defaultWidth, int defaultHeight, bool centreHorizontally,
                         bool centreVertically) {
  const QRect work = WorkArea();
  const int workRight = work.x() + work.width();
  const int workBottom = work.y() + work.height();
  const QRect defaults(DefaultStart(work.x(), workRight, defaultWidth, centreHorizontally),
                       DefaultStart(work.y(), workBottom, defaultHeight, centreVertically),
                       defaultWidth < 0 ? work.width() : defaultWidth,
                       defaultHeight < 0 ? work.height() : defaultHeight);
  if (!settings) return;

  int left = settings->ReadInteger(section, "Left", defaults.x());
  int top = settings->ReadInteger(section, "Top", defaults.y());
  int width = settings->ReadInteger(section, "Width", defaults.width());
  int height = settings->ReadInteger(section, "Height", defaults.height());
  const bool maximized = settings->ReadBool(section, "Maximized", false);

  if (!maximized) {
    const QRect screen = PrimaryScreenGeometry();
    const int screenWidth = screen.width();
    const int screenHeight = screen.height();
    if (left < 0 || left > screenWidth) left = 0;
    if (top < 0 || top > screenHeight) top = 0;
    if (left + width > screenWidth) width = screenWidth - left;
    if (top + height > screenHeight) height = screenHeight - top;
  }
  if (!IsReachable(QRect(left, top, width, height))) {
    left = defaults.x();
    top = defaults.y();
    width = defaults.width();
    height = defaults.height();
  }

  // The bounds go to the normal state, which a maximized window shows when
  // it is restored.
  SetMaximized(window, false);
  window.move(left, top);
  window.resize(width, height);
  SetMaximized(window, maximized);
}

void SaveWindowPlacement(IniFile* settings, const QWidget& window, const std::string& section) {
  if (!settings) return;
  const bool maximized = window.isMaximized();
  if (!maximized) {
    settings->WriteInteger(section, "Left", window.x());
    settings->WriteInteger(section, "Top", window.y());
    settings->WriteInteger(section, "Width", window.width());
    settings->WriteInteger(section, "Height", window.height());
  }
  settings->WriteBool(section, "Maximized", maximized);
}

}  // namespace qv
