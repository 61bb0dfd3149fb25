#include "settings/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "settings/LanguageFile.h"
#include "settings/LanguageLocale.h"
#include "settings/QtColors.h"
#include "settings/QtFontColorDialog.h"

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
    QString description = parts[i].trimmed();
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      pattern = pattern.trimmed();
    // A description that already names its patterns ("Bitmap files (*.bmp)")
    // would otherwise show them twice.
    const QString named = " (" + patterns.join(' ') + ")";
    const QString namedWithSemicolons = " (" + patterns.join(';') + ")";
    if (description.endsWith(named))
      description.chop(named.size());
    else if (description.endsWith(namedWithSemicolons))
      description.chop(namedWithSemicolons.size());
    for (QString& pattern : patterns)
      if (pattern == "*.*") pattern = "*";
    entries << QString("%1 (%2)").arg(description, patterns.join(' '));
  }
  return entries.join(";;");
}

QString FilterExtension(const QString& qtFilterEntry) {
  const qsizetype open = qtFilterEntry.lastIndexOf('(');
  const qsizetype close = qtFilterEntry.lastIndexOf(')');
  if (open < 0 || close < open) return {};
  const QString patterns = qtFilterEntry.mid(open + 1, close - open - 1).trimmed();
  if (!patterns.startsWith("*.") || patterns.contains(' ')) return {};
  const QString extension = patterns.mid(2);
  if (extension.isEmpty() || extension.contains('*') || extension.contains('?')) return {};
  return extension;
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
  // A name typed without extension takes that of the type chosen in the list.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, suffix](const QString& entry) {
                     const QString extension = FilterExtension(entry);
                     dialog.setDefaultSuffix(extension.isEmpty() ? suffix : extension);
                   });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const std::string chosen = WithDefaultExtension(dialog.selectedFiles().first().toStdString(),
                                                  dialog.defaultSuffix().toStdString());
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

bool QtDialogs::AskFont(TFontParams& font, bool showEffects, CustomColorList& customColors) {
  QtFontColorDialog dialog(font, showEffects, *this, customColors, FromUtf8(fontColorText_),
                           Parent());
  if (dialog.exec() != QDialog::Accepted) return false;
  font = dialog.Chosen();
  return true;
}

void QtDialogs::SetLanguage(const std::string& language, const IniFile& languageFile) {
  fontColorText_ = ReadText(languageFile, "Dialogs", "FontColor", fontColorText_);
  LoadQtTexts(LocaleOfLanguage(language));
}

void QtDialogs::LoadQtTexts(const std::string& locale) {
  const std::string wanted = locale == "en" ? std::string() : locale;
  if (wanted == qtLocale_) return;
  qtTexts_.reset();  // a translator removes itself from the application as it goes
  qtLocale_.clear();
  if (wanted.empty()) return;
  auto translator = std::make_unique<QTranslator>();
  const QString name = QString::fromStdString("qtbase_" + wanted);
  const QString programTexts = QCoreApplication::applicationDirPath() + "/translations";
  if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      !translator->load(name, programTexts))
    return;
  QCoreApplication::installTranslator(translator.get());
  qtTexts_ = std::move(translator);
  qtLocale_ = wanted;
}

void QtBusyCursor::Begin() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtBusyCursor::End() {
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace qv
