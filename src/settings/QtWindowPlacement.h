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
// "Maximized" of `section`: the outer frame of the window, title bar and
// borders included. Missing keys take the default placement: a negative
// default width or height spans the whole work area in that direction;
// otherwise the window is centred or put against the right (bottom) edge of
// the work area. Without a settings object the window stays as it is.
//
// A normal window is held to the work area of the primary screen: a frame
// larger than what is left of the work area shrinks to fit, so no part of it
// (a status line, a close button) is off the screen. A placement that would
// leave no part of the window on any work area (a screen since removed, a
// zero size) falls back to the default placement. The frame's width is known
// only once the window is shown; until then the frame asked for is kept, and
// the client area is fitted to it as soon as the window manager tells it.
void LoadWindowPlacement(const IniFile* settings, QWidget& window, const std::string& section,
                         int defaultWidth, int defaultHeight, bool centreHorizontally,
                         bool centreVertically);

// Writes the outer frame of a normal window and always "Maximized"; a
// maximized window keeps the normal bounds saved earlier.
void SaveWindowPlacement(IniFile* settings, const QWidget& window, const std::string& section);

// Gives a fixed-size dialog a title bar with only the close button: it has
// nothing to minimise or maximise.
void UseDialogFrame(QWidget& dialog);

}  // namespace qv
