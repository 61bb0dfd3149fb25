#pragma once

#include "settings/Dialogs.h"

namespace qv {

// Dialogs for code that runs without a player: every question is answered
// No or Cancel and every message is dropped (override ShowMessage to keep
// them somewhere).
class SilentDialogs : public Dialogs {
 public:
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> AskSaveFileName(std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  TColor AskColor(TColor color, std::vector<std::string>&) override { return color; }
  bool AskFont(TFontParams&, bool, CustomColorList&) override { return false; }
};

}  // namespace qv
