#include "settings/MainWindowSettings.h"

#include <cmath>
#include <string>
#include <variant>

#include "data/IniFile.h"
#include "settings/CommaText.h"
#include "settings/MainWindowKeys.h"
#include "settings/Settings.h"

namespace qv {

namespace {

// The initial values, which a key without a file default of its own gives
// when it is missing.
const TMainWindowSettings& Initial() {
  static const TMainWindowSettings initial;
  return initial;
}

// How each kind of value is read and written, at `section` and `key`.
struct KindReader {
  const IniFile& s;
  const std::string section;
  const std::string key;
  TMainWindowSettings& values;

  void operator()(const TNumberSetting& v) const {
    v.field(values) = v.range.Hold(s.ReadInteger(section, key, v.field(Initial())));
  }
  void operator()(const TSwitchSetting& v) const {
    v.field(values) = s.ReadBool(section, key, v.missing.value_or(v.field(Initial())));
  }
  void operator()(const TZoomSetting& v) const {
    const int percent = s.ReadInteger(section, key, v.missingPercent);
    v.field(values) = (percent <= 0 ? 100 : v.range.Hold(percent)) * 0.01;
  }
  void operator()(const TTextSetting& v) const {
    v.field(values) = s.ReadString(section, key, v.field(Initial()));
  }
  void operator()(const TTextListSetting& v) const {
    std::vector<std::string>& list = v.field(values);
    list = SplitCommaText(s.ReadString(section, key, ""));
    std::erase(list, std::string());
  }
  void operator()(const TFontSetting& v) const { ReadFont(v.field(values), s, section); }
  void operator()(const TBuildSetting&) const {}
};

struct KindWriter {
  IniFile& s;
  const std::string section;
  const std::string key;
  const TMainWindowSettings& values;

  void operator()(const TNumberSetting& v) const { s.WriteInteger(section, key, v.field(values)); }
  void operator()(const TSwitchSetting& v) const { s.WriteBool(section, key, v.field(values)); }
  void operator()(const TZoomSetting& v) const {
    s.WriteInteger(section, key, ZoomPercent(v.field(values)));
  }
  void operator()(const TTextSetting& v) const { s.WriteString(section, key, v.field(values)); }
  void operator()(const TTextListSetting& v) const {
    s.WriteString(section, key, JoinCommaText(v.field(values)));
  }
  void operator()(const TFontSetting& v) const { WriteFont(v.field(values), s, section); }
  void operator()(const TBuildSetting&) const { s.WriteInteger(section, key, kBuildNumber); }
};

void WriteKeys(TSettingWritten when, const TMainWindowSettings& values, IniFile& settings) {
  for (const TSettingKey& key : MainWindowKeys()) {
    if (key.written == when) WriteSetting(key, values, settings);
  }
}

}  // namespace

int ZoomPercent(double zoom) {
  // The tolerance is far below one percent step and only absorbs the error of
  // the decimal fraction 0.01 in binary.
  return static_cast<int>(std::trunc(zoom * 100.0 + (zoom >= 0 ? 1e-7 : -1e-7)));
}

void ReadSetting(const TSettingKey& key, const IniFile& settings, TMainWindowSettings& values) {
  std::visit(KindReader{settings, key.section, key.key, values}, key.value);
}

void WriteSetting(const TSettingKey& key, const TMainWindowSettings& values, IniFile& settings) {
  std::visit(KindWriter{settings, key.section, key.key, values}, key.value);
}

void ReadMainWindowSettings(const IniFile& settings, TMainWindowSettings& values) {
  for (const TSettingKey& key : MainWindowKeys())
    ReadSetting(key, settings, values);
}

void WriteMainWindowSettings(const TMainWindowSettings& values, IniFile& settings) {
  WriteKeys(TSettingWritten::AtExit, values, settings);
}

void WriteMainWindowSwitchesOnClose(IniFile& settings, bool showProducts, bool showLegend) {
  TMainWindowSettings values;
  values.ShowProducts = showProducts;
  values.ShowLegend = showLegend;
  WriteKeys(TSettingWritten::OnClose, values, settings);
}

}  // namespace qv
