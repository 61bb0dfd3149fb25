#pragma once

namespace qv {

class IniFile;

// What the program asks of each of its windows besides the main window: to
// take a language, to read its settings when it is made and to write them
// before it goes (placement, its own keys, its grids' column layouts). A
// window without settings keeps the two defaults. The program holds its
// windows through this (see TProgramWindows in app/QtProgramWindows.h).
class TProgramWindow {
 public:
  virtual ~TProgramWindow() = default;
  virtual void Translate(const IniFile& languageFile) = 0;
  // `settings` is null when the settings file could not be read: the window
  // keeps what it has.
  virtual void ReadSettings(const IniFile* /*settings*/) {}
  // `settings` is null when the settings file could not be read: nothing is
  // written.
  virtual void WriteSettings(IniFile* /*settings*/) {}
};

}  // namespace qv
