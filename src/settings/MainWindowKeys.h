#pragma once

#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/MapLimits.h"
#include "settings/MainWindowSettings.h"

namespace qv {

// Where a setting lives in TMainWindowSettings: one member, of the settings
// or of one of their groups, or one element of an array member.
template <class T>
struct TSettingField {
  T& (*ref)(TMainWindowSettings&);
  const T& (*get)(const TMainWindowSettings&);

  T& operator()(TMainWindowSettings& values) const { return ref(values); }
  const T& operator()(const TMainWindowSettings& values) const { return get(values); }
};

// What a key holds and how it is stored. A file without the key gives the
// member's initial value, unless the key names a default of its own.

constexpr TSettingRange kAnyNumber{std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()};
// A whole number (colours are whole numbers too), held to `range` when read.
struct TNumberSetting {
  TSettingField<int> field;
  TSettingRange range = kAnyNumber;
};
// A switch, stored as 1 or 0; `missing`, when given, is what a file without
// the key gives.
struct TSwitchSetting {
  TSettingField<bool> field;
  std::optional<bool> missing = std::nullopt;
};
// The zoom factor, stored as a whole percent: a percent of 0 or less is
// 100 %, as the zoom box takes it; others are held to `range`. A file
// without the key gives `missingPercent`.
struct TZoomSetting {
  TSettingField<double> field;
  int missingPercent;
  TSettingRange range;
};
struct TTextSetting {
  TSettingField<std::string> field;
};
// A list of texts stored as one comma text; empty texts are dropped when read.
struct TTextListSetting {
  TSettingField<std::vector<std::string>> field;
};
// A font in a section of its own (ReadFont, WriteFont): a key missing there
// keeps what the record held.
struct TFontSetting {
  TSettingField<TFontParams> field;
};
// The build number of the data formats: written, never read into the settings.
struct TBuildSetting {};

using TSettingValue = std::variant<TNumberSetting, TSwitchSetting, TZoomSetting, TTextSetting,
                                   TTextListSetting, TFontSetting, TBuildSetting>;

enum class TSettingWritten {
  AtExit,   // with the others when the main window is destroyed
  OnClose,  // when the main window is closed (which windows were open)
};

// One key of the settings file. A font takes a whole section; its key is
// empty.
struct TSettingKey {
  const char* section;
  const char* key;
  TSettingValue value;
  TSettingWritten written = TSettingWritten::AtExit;
};

// Every key of the main window's settings except its placement, in the
// order they are written.
std::span<const TSettingKey> MainWindowKeys();

// The key of that name ("MainWindow" keys by key, fonts by section); throws
// std::out_of_range for a name that is no key and std::bad_variant_access
// when the key holds another kind of value.
const TSettingKey& MainWindowKey(std::string_view name);
template <class Setting>
const Setting& MainWindowSetting(std::string_view name) {
  return std::get<Setting>(MainWindowKey(name).value);
}

// Reads or writes one key; the whole settings are read and written by these
// over MainWindowKeys().
void ReadSetting(const TSettingKey& key, const IniFile& settings, TMainWindowSettings& values);
void WriteSetting(const TSettingKey& key, const TMainWindowSettings& values, IniFile& settings);

}  // namespace qv
