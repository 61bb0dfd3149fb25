#pragma once

#include <QLabel>
#include <QString>
#include <string>

// The smallest pieces every window is built from.
namespace qv {

// Gives a control its component name, by which the language files reach it.
template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}
template <typename T>
T* Named(T* object, const std::string& name) {
  object->setObjectName(QString::fromStdString(name));
  return object;
}

// A label with its component name; `buddy` gets the focus on its mnemonic.
QLabel* MakeLabel(const char* name, const char* text, QWidget* buddy = nullptr);
// A label in bold: a result or a warning.
QLabel* MakeBoldLabel(const char* name, const char* text);

}  // namespace qv
