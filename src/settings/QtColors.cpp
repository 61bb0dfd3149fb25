#include "settings/QtColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace qv {

namespace {

// The system colour indices that the stored values use, in their own
// numbering.
enum SystemColorIndexes {
  kScrollBar = 0,
  kDesktop = 1,
  kActiveCaption = 2,
  kInactiveCaption = 3,
  kMenu = 4,
  kWindow = 5,
  kWindowFrame = 6,
  kMenuText = 7,
  kWindowText = 8,
  kCaptionText = 9,
  kActiveBorder = 10,
  kInactiveBorder = 11,
  kAppWorkspace = 12,
  kHighlight = 13,
  kHighlightText = 14,
  kButtonFace = 15,
  kButtonShadow = 16,
  kGrayText = 17,
  kButtonText = 18,
  kInactiveCaptionText = 19,
  kButtonHighlight = 20,
  kDarkShadow3D = 21,
  kLight3D = 22,
  kInfoText = 23,
  kInfoBackground = 24,
  kHotLight = 26,
  kGradientActiveCaption = 27,
  kGradientInactiveCaption = 28,
  kMenuHighlight = 29,
  kMenuBar = 30,
};

QPalette ApplicationPalette() {
  return qGuiApp ? QGuiApplication::palette() : QPalette();
}

QColor SystemColor(int index) {
  const QPalette palette = ApplicationPalette();
  switch (index) {
    case kWindow:
      return palette.color(QPalette::Active, QPalette::Base);
    case kWindowText:
      return palette.color(QPalette::Active, QPalette::Text);
    case kMenuText:
    case kInactiveCaptionText:
    case kWindowFrame:
      return palette.color(QPalette::Active, QPalette::WindowText);
    case kScrollBar:
    case kButtonFace:
    case kActiveBorder:
    case kInactiveBorder:
      return palette.color(QPalette::Active, QPalette::Button);
    case kButtonText:
      return palette.color(QPalette::Active, QPalette::ButtonText);
    case kButtonShadow:
      return palette.color(QPalette::Active, QPalette::Dark);
    case kDarkShadow3D:
      return palette.color(QPalette::Active, QPalette::Shadow);
    case kButtonHighlight:
      return palette.color(QPalette::Active, QPalette::Light);
    case kLight3D:
      return palette.color(QPalette::Active, QPalette::Midlight);
    case kActiveCaption:
    case kHighlight:
    case kGradientActiveCaption:
    case kMenuHighlight:
      return palette.color(QPalette::Active, QPalette::Highlight);
    case kCaptionText:
    case kHighlightText:
      return palette.color(QPalette::Active, QPalette::HighlightedText);
    case kInactiveCaption:
    case kAppWorkspace:
    case kGradientInactiveCaption:
      return palette.color(QPalette::Active, QPalette::Mid);
    case kGrayText:
      return palette.color(QPalette::Disabled, QPalette::Text);
    case kInfoText:
      return palette.color(QPalette::Active, QPalette::ToolTipText);
    case kInfoBackground:
      return palette.color(QPalette::Active, QPalette::ToolTipBase);
    case kHotLight:
      return palette.color(QPalette::Active, QPalette::Link);
    case kDesktop:
    case kMenu:
    case kMenuBar:
    default:
      return palette.color(QPalette::Active, QPalette::Window);
  }
}

}  // namespace

QColor ToQColor(TColor color) {
  if (IsSystemColor(color)) return SystemColor(SystemColorIndex(color));
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

TColor FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return MakeColor(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace qv
