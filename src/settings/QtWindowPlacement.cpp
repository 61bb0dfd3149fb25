#include "settings/QtWindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "data/IniFile.h"

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

// Holds one span [start, start + size) inside [low, high): a start outside
// the range goes to its near end, and a span too long for what is left of the
// range after its start shrinks to fit.
void FitSpan(int low, int high, int& start, int& size) {
  if (start < low || start > high) start = low;
  if (static_cast<long long>(start) + size > high) size = high - start;
}

// A maximized window keeps the normal bounds it was given, but a
// hand-edited file may give any int, and the far edge of a rectangle is
// start + size - 1: both are held far beyond any screen instead.
void HoldSpan(int& start, int& size) {
  constexpr int kFar = 1 << 24;
  start = std::clamp(start, -kFar, kFar);
  size = std::clamp(size, -kFar, kFar);
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

// The width of the frame the window manager puts around a window, once it
// is known: nothing before the window is shown and decorated.
QMargins CurrentFrameMargins(const QWidget& window) {
  if (!window.isVisible()) return {};
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                  frame.right() - client.right(), frame.bottom() - client.bottom());
}

QSize ClientSize(const QSize& outer, const QMargins& margins) {
  return QSize(std::max(1, outer.width() - margins.left() - margins.right()),
               std::max(1, outer.height() - margins.top() - margins.bottom()));
}

// The placement keys give the outer frame, but a window is sized by its
// client area and the frame's width is known only once the window manager
// has decorated the shown window. This companion of a window keeps the frame
// that was asked for until then, fits the client area to it when the width
// becomes known, and remembers the width for saving.
class FramePlacement : public QObject {
 public:
  explicit FramePlacement(QWidget& window) : QObject(&window), window_(window) {
    setObjectName("FramePlacement");
    window.installEventFilter(this);
  }

  static FramePlacement* Of(const QWidget& window) {
    return window.findChild<FramePlacement*>("FramePlacement", Qt::FindDirectChildrenOnly);
  }

  void Place(const QRect& frame, bool maximized) {
    Learn();
    wanted_ = frame;
    SetMaximized(window_, false);
    window_.move(frame.topLeft());
    window_.resize(ClientSize(frame.size(), margins_));
    placedSize_ = window_.size();
    pending_ = !marginsKnown_;
    SetMaximized(window_, maximized);
    FitWhenKnown();
  }

  // The outer frame of the window as it is now, or as it was asked for when
  // the window has not been decorated since.
  QRect OuterRect() {
    Learn();
    if (pending_ && window_.size() == placedSize_) return wanted_;
    const QRect client = window_.geometry();
    return client.marginsAdded(margins_);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_) {
      switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
          FitWhenKnown();
          break;
        default:
          break;
      }
    }
    return false;
  }

 private:
  void Learn() {
    const QMargins margins = CurrentFrameMargins(window_);
    if (margins.isNull()) return;
    margins_ = margins;
    marginsKnown_ = true;
  }

  void FitWhenKnown() {
    if (!pending_) return;
    Learn();
    if (!marginsKnown_ || !window_.isVisible()) return;
    if (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
      return;
    pending_ = false;
    window_.resize(ClientSize(wanted_.size(), margins_));
    window_.move(wanted_.topLeft());
  }

  QWidget& window_;
  QRect wanted_;
  QSize placedSize_;
  QMargins margins_;
  bool marginsKnown_ = false;
  bool pending_ = false;
};

FramePlacement& FramePlacementOf(QWidget& window) {
  if (FramePlacement* placement = FramePlacement::Of(window)) return *placement;
  return *new FramePlacement(window);
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

  // A normal window is held to the work area, so that neither its frame nor
  // its status line ends up under a task bar or off the screen's edge.
  if (!maximized) {
    FitSpan(work.x(), workRight, left, width);
    FitSpan(work.y(), workBottom, top, height);
  } else {
    HoldSpan(left, width);
    HoldSpan(top, height);
  }
  if (!IsReachable(QRect(left, top, width, height))) {
    left = defaults.x();
    top = defaults.y();
    width = defaults.width();
    height = defaults.height();
  }

  // The bounds go to the normal state, which a maximized window shows when
  // it is restored.
  FramePlacementOf(window).Place(QRect(left, top, width, height), maximized);
}

void SaveWindowPlacement(IniFile* settings, const QWidget& window, const std::string& section) {
  if (!settings) return;
  const bool maximized = window.isMaximized();
  if (!maximized) {
    FramePlacement* placement = FramePlacement::Of(window);
    const QRect outer = placement ? placement->OuterRect()
                                  : window.geometry().marginsAdded(CurrentFrameMargins(window));
    settings->WriteInteger(section, "Left", outer.x());
    settings->WriteInteger(section, "Top", outer.y());
    settings->WriteInteger(section, "Width", outer.width());
    settings->WriteInteger(section, "Height", outer.height());
  }
  settings->WriteBool(section, "Maximized", maximized);
}

void UseDialogFrame(QWidget& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
}

}  // namespace qv
