#include "settings/MainTexts.h"

#include "data/IniFile.h"
#include "settings/LanguageFile.h"

namespace qv {

namespace {

constexpr const char* kSection = "MainForm";

std::string ArgText(const FormatArg& arg) {
  if (const auto* text = std::get_if<std::string>(&arg)) return *text;
  return std::to_string(std::get<std::int64_t>(arg));
}

}  // namespace

void TranslateMainTexts(const IniFile& languageFile, TMainTexts& texts) {
  auto read = [&](const char* key, std::string& text) {
    text = ReadText(languageFile, kSection, key, text);
  };
  read("StatusSuns", texts.StatusSuns);
  read("StatusShipyard", texts.StatusShipyard);
  read("StatusDock", texts.StatusDock);
  read("StatusPirate", texts.StatusPirate);
  read("DeleteSectorMsg", texts.DeleteSectorMsg);
  read("DeleteCap", texts.DeleteCap);
  read("RevealAllMsg", texts.RevealAllMsg);
  read("RevealAllCap", texts.RevealAllCap);
  read("DeleteMsg", texts.DeleteMsg);
  read("BmpErrorMsg", texts.BmpErrorMsg);
  read("BmpWriteErrorMsg", texts.BmpWriteErrorMsg);
  read("NoProductMsg", texts.NoProductMsg);
  read("BmpTooLargeMsg", texts.BmpTooLargeMsg);
  read("BmpLargeMsg", texts.BmpLargeMsg);
  read("BmpSaveCap", texts.BmpSaveCap);
  read("BmpProgressMsg", texts.BmpProgressMsg);
  read("BmpCancelBtn", texts.BmpCancelBtn);
  read("SettingsReadErrorMsg", texts.SettingsReadErrorMsg);
  read("SettingsWriteErrorMsg", texts.SettingsWriteErrorMsg);
  read("ExitSaveErrorMsg", texts.ExitSaveErrorMsg);
  read("FolderReadOnlyMsg", texts.FolderReadOnlyMsg);
  read("MapImageFilter", texts.MapImageFilter);
  read("MapFormatMsg", texts.MapFormatMsg);
  read("AboutCap", texts.AboutCap);
  read("AboutVersion", texts.AboutVersion);
  read("AboutDescription", texts.AboutDescription);
  read("AboutLicence", texts.AboutLicence);
  read("AboutFolder", texts.AboutFolder);
  read("AboutSettings", texts.AboutSettings);
  read("RouteJumpsMsg", texts.RouteJumpsMsg);
  read("RouteOneJumpMsg", texts.RouteOneJumpMsg);
  read("NoRouteMsg", texts.NoRouteMsg);
  read("RouteStartMsg", texts.RouteStartMsg);
  read("RouteEndMsg", texts.RouteEndMsg);
}

std::string FormatText(std::string_view pattern, const std::vector<FormatArg>& args) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out += c;
      continue;
    }
    const char kind = pattern[i + 1];
    if (kind == '%') {
      out += '%';
      ++i;
    } else if ((kind == 's' || kind == 'd') && next < args.size()) {
      out += ArgText(args[next++]);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace qv
