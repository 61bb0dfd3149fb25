#pragma once

#include <QRect>
#include <string>

class QWidget;

namespace qv {

class IniFile;

// The desktop's work area: the primary screen without task bars and docks;
// the whole screen when the system gives no work area.
QRect WorkArea();

// Places `window` from the keys "Left", "Top", "Width", "Height" and
// "Maximized" of `section`. Missing keys take the default placement: a
// negative default width or height spans the whole work area in that
// direction; otherwise the window is centred or put against the right (bottom)
// edge of the work area. Without a settings object the window stays as it is.
//
// Left and Top are the position of the outer frame (QWidget::move/pos),
// Width and Height the window's size (resize/size): the same pair is written
// by SaveWindowPlacement, so a placement restores exactly even before the
// window manager has told us the frame's width. A normal window is kept on
// the primary screen; a placement that would leave no part of the window on
// any work area (a screen since removed, a zero size) falls back to the
// default placement so the window can always be reached.
void LoadWindowPlacement(const IniFile* settings, QWidget& window, const std::string& section,
                         int defaultWidth, int defaultHeight, bool centreHorizontally,
                         bool centreVertically);

// Writes the placement of a normal window and always "Maximized"; a maximized
// window keeps the normal bounds saved earlier.
void SaveWindowPlacement(IniFile* settings, const QWidget& window, const std::string& section);

}  // namespace qv
