#include "settings/GatheringDialogs.h"

#include <algorithm>

namespace qv {

namespace {

// The more serious of two icons: an error outweighs a warning, a warning a note.
int Weight(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return 3;
    case MessageIcon::Warning:
      return 2;
    case MessageIcon::Information:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void GatheringDialogs::EndGathering(const std::string& heading) {
  gathering_ = false;
  std::vector<Kept> kept = std::move(kept_);
  kept_.clear();
  if (kept.empty()) return;
  if (kept.size() == 1) {
    shown_.ShowMessage(kept[0].text, kept[0].caption, kept[0].icon);
    return;
  }
  const Kept* worst = &kept[0];
  std::string text = heading;
  for (const Kept& message : kept) {
    if (Weight(message.icon) > Weight(worst->icon)) worst = &message;
    text += "\n\n" + message.text;
  }
  shown_.ShowMessage(text, worst->caption, worst->icon);
}

void GatheringDialogs::ShowMessage(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
  if (!gathering_) {
    shown_.ShowMessage(text, caption, icon);
    return;
  }
  // A settings file that refuses every window's write is named once.
  const auto same = std::find_if(kept_.begin(), kept_.end(),
                                 [&](const Kept& message) { return message.text == text; });
  if (same == kept_.end())
    kept_.push_back({text, caption, icon});
  else if (Weight(icon) > Weight(same->icon))
    same->icon = icon;
}

bool GatheringDialogs::AskYesNo(const std::string& text, const std::string& caption) {
  return shown_.AskYesNo(text, caption);
}

std::optional<std::string> GatheringDialogs::AskSaveFileName(std::string& folder,
                                                             const std::string& filter,
                                                             const std::string& defaultExtension) {
  return shown_.AskSaveFileName(folder, filter, defaultExtension);
}

TColor GatheringDialogs::AskColor(TColor color, std::vector<std::string>& customColors) {
  return shown_.AskColor(color, customColors);
}

bool GatheringDialogs::AskFont(TFontParams& font, bool showEffects, CustomColorList& customColors) {
  return shown_.AskFont(font, showEffects, customColors);
}

void GatheringDialogs::SetLanguage(const std::string& language, const IniFile& languageFile) {
  shown_.SetLanguage(language, languageFile);
}

}  // namespace qv
