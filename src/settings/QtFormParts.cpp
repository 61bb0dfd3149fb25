#include "settings/QtFormParts.h"

namespace qv {

QLabel* MakeLabel(const char* name, const char* text, QWidget* buddy) {
  auto* label = Named(new QLabel(QString::fromUtf8(text)), name);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QLabel* MakeBoldLabel(const char* name, const char* text) {
  QLabel* label = MakeLabel(name, text);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace qv
