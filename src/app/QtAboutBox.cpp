#include "app/QtAboutBox.h"

#include <QApplication>
#include <QIcon>
#include <QString>

#include "settings/MainTexts.h"

#ifndef QV_VERSION
#define QV_VERSION "0"
#endif

namespace qv {

namespace {

QString Html(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped();
}

}  // namespace

const char* ProgramVersion() {
  return QV_VERSION;
}

std::unique_ptr<QMessageBox> MakeAboutBox(const TMainTexts& texts, const std::string& programFolder,
                                          const std::string& settingsFile, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setObjectName("AboutBox");
  box->setWindowTitle(QString::fromStdString(texts.AboutCap));
  box->setTextFormat(Qt::RichText);
  // One text, so that all of it, the folders above all, can be selected.
  box->setText(QString("<p><b>QVMap</b><br>%1</p><p>%2</p><p>%3</p><p>%4<br><tt>%5</tt></p>"
                       "<p>%6<br><tt>%7</tt></p>")
                   .arg(Html(FormatText(texts.AboutVersion, {std::string(ProgramVersion())})),
                        Html(texts.AboutDescription), Html(texts.AboutLicence),
                        Html(texts.AboutFolder), Html(programFolder), Html(texts.AboutSettings),
                        Html(settingsFile)));
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setStandardButtons(QMessageBox::Ok);
  const QIcon icon = QApplication::windowIcon();
  if (icon.isNull())
    box->setIcon(QMessageBox::Information);
  else
    box->setIconPixmap(icon.pixmap(64, 64));
  return box;
}

}  // namespace qv
