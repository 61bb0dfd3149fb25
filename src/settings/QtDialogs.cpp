#include "settings/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "settings/QtColors.h"
#include "settings/QtFonts.h"

namespace qv {

namespace {

constexpr int kCustomColorCount = 16;

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Information:
      break;
  }
  return QMessageBox::Information;
}

// Hides the effects part of Qt's own font dialog: the group holding the
// underline and strikeout boxes.
void HideFontEffects(QFontDialog& dialog) {
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
    if (!group->findChildren<QCheckBox*>().isEmpty()) group->hide();
  }
}

}  // namespace

QWidget* QtDialogs::Parent() const {
  if (parent_) return parent_.data();
  return QApplication::activeWindow();
}

void QtDialogs::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  QMessageBox box(ToQtIcon(icon), FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, Parent());
  box.exec();
}

bool QtDialogs::AskYesNo(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::Question, FromUtf8(caption), FromUtf8(text),
                  QMessageBox::Yes | QMessageBox::No, Parent());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

QString ToQtFileFilter(const std::string& filter) {
  const QStringList parts = FromUtf8(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      pattern = pattern.trimmed();
      if (pattern == "*.*") pattern = "*";
    }
    entries << QString("%1 (%2)").arg(parts[i].trimmed(), patterns.join(' '));
  }
  return entries.join(";;");
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  std::string ext = extension;
  while (!ext.empty() && ext.front() == '.')
    ext.erase(ext.begin());
  if (ext.empty()) return path;
  const std::string name = std::filesystem::path(path).filename().string();
  if (name.find('.') != std::string::npos) return path;
  return path + "." + ext;
}

std::optional<std::string> QtDialogs::AskSaveFileName(std::string& folder,
                                                      const std::string& filter,
                                                      const std::string& defaultExtension) {
  QFileDialog dialog(Parent(), QString(), FromUtf8(folder), ToQtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's dialog appends the extension before it asks about overwriting an
  // existing file; the check below covers platform dialogs that do not.
  QString suffix = FromUtf8(defaultExtension);
  while (suffix.startsWith('.'))
    suffix.remove(0, 1);
  if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const std::string chosen =
      WithDefaultExtension(dialog.selectedFiles().first().toStdString(), defaultExtension);
  folder = QFileInfo(QString::fromStdString(chosen)).absolutePath().toStdString();
  return chosen;
}

std::string CustomColorText(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

std::optional<TColor> ParseCustomColorText(const std::string& text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  for (const char c : text)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  const unsigned long rgb = std::stoul(text, nullptr, 16);
  return MakeColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

TColor QtDialogs::AskColor(TColor color, std::vector<std::string>& customColors) {
  for (int i = 0; i < kCustomColorCount; ++i)
    QColorDialog::setCustomColor(i, Qt::white);
  for (const std::string& entry : customColors) {
    const auto equals = entry.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = entry.substr(0, equals);
    if (key.size() != 6 || (key.compare(0, 5, "Color") != 0 && key.compare(0, 5, "COLOR") != 0))
      continue;
    const int slot = std::toupper(static_cast<unsigned char>(key[5])) - 'A';
    if (slot < 0 || slot >= kCustomColorCount) continue;
    if (const auto value = ParseCustomColorText(entry.substr(equals + 1)))
      QColorDialog::setCustomColor(slot, ToQColor(*value));
  }

  const QColor chosen = QColorDialog::getColor(ToQColor(color), Parent());

  customColors.clear();
  for (int i = 0; i < kCustomColorCount; ++i) {
    customColors.push_back(std::string("Color") + static_cast<char>('A' + i) + "=" +
                           CustomColorText(FromQColor(QColorDialog::customColor(i))));
  }
  return chosen.isValid() ? FromQColor(chosen) : color;
}

bool QtDialogs::AskFont(TFontParams& font, bool showEffects) {
  QFontDialog dialog(ToQFont(font), Parent());
  if (!showEffects) {
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    HideFontEffects(dialog);
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  TFontParams chosen = FromQFont(dialog.selectedFont(), font);
  if (!showEffects) {
    const unsigned effects = kFontUnderline | kFontStrikeOut;
    chosen.Style = (chosen.Style & ~effects) | (font.Style & effects);
  }
  font = chosen;
  return true;
}

void QtBusyCursor::Begin() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtBusyCursor::End() {
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace qv
