#pragma once

#include <QMessageBox>
#include <memory>
#include <string>

class QWidget;

namespace qv {

struct TMainTexts;

// The program's version ("0.1").
const char* ProgramVersion();

// The About box: the program's name, version and licence, and the folders it
// keeps the player's universe and settings in, as text the player can select
// and copy. Its icon is the program's.
std::unique_ptr<QMessageBox> MakeAboutBox(const TMainTexts& texts, const std::string& programFolder,
                                          const std::string& settingsFile, QWidget* parent);

}  // namespace qv
