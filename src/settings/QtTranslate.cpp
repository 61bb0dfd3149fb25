#include "settings/QtTranslate.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVariant>
#include <functional>
#include <unordered_map>
#include <vector>

#include "data/IniFile.h"
#include "settings/LanguageFile.h"

namespace qv {

namespace {

// The tab widget and index of a tab page, or no tab widget.
std::pair<QTabWidget*, int> TabOf(QWidget& page) {
  QWidget* stack = page.parentWidget();
  if (!qobject_cast<QStackedWidget*>(stack)) return {nullptr, -1};
  auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
  if (!tabs) return {nullptr, -1};
  const int index = tabs->indexOf(&page);
  return index < 0 ? std::pair<QTabWidget*, int>{nullptr, -1} : std::pair{tabs, index};
}

bool NameStartsWith(const QObject& object, const char* prefix) {
  return object.objectName().startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

QAction* DefaultActionOf(QObject& object) {
  auto* toolButton = qobject_cast<QToolButton*>(&object);
  return toolButton ? toolButton->defaultAction() : nullptr;
}

void SetActionHint(QAction& action, const QString& hint) {
  action.setToolTip(hint);
  action.setStatusTip(hint);
}

// Calls `visit` for every object of the window that its translation reaches.
void ForEachOwnedObject(QObject& parent, const std::function<void(QObject&)>& visit) {
  for (QObject* child : parent.children()) {
    visit(*child);
    if (auto* widget = qobject_cast<QWidget*>(child)) {
      if (widget->isWindow() && !qobject_cast<QMenu*>(widget)) continue;
      if (widget->property("translationScope").toBool()) continue;
    }
    ForEachOwnedObject(*child, visit);
  }
}

}  // namespace

bool ApplyControlCaption(QObject& object, const std::string& text) {
  const QString caption = QString::fromStdString(text);
  if (auto* widget = qobject_cast<QWidget*>(&object)) {
    if (auto [tabs, index] = TabOf(*widget); tabs) {
      tabs->setTabText(index, caption);
      return true;
    }
  }
  if (auto* label = qobject_cast<QLabel*>(&object)) {
    label->setText(caption);
    return true;
  }
  if (QAction* action = DefaultActionOf(object)) {
    action->setText(caption);
    return true;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(&object)) {
    button->setText(caption);
    return true;
  }
  if (auto* group = qobject_cast<QGroupBox*>(&object)) {
    group->setTitle(caption);
    return true;
  }
  if (qobject_cast<QComboBox*>(&object)) return false;
  if (auto* action = qobject_cast<QAction*>(&object)) {
    action->setText(caption);
    return true;
  }
  if (auto* menu = qobject_cast<QMenu*>(&object)) {
    menu->setTitle(caption);
    return true;
  }
  if (qobject_cast<QWidget*>(&object) && NameStartsWith(object, "panel")) {
    object.setProperty("caption", caption);
    return true;
  }
  return false;
}

bool ApplyControlHint(QObject& object, const std::string& text) {
  const QString hint = QString::fromStdString(text);
  auto* widget = qobject_cast<QWidget*>(&object);
  if (widget) {
    if (auto [tabs, index] = TabOf(*widget); tabs) {
      tabs->setTabToolTip(index, hint);
      return true;
    }
  }
  if (QAction* action = DefaultActionOf(object)) {
    SetActionHint(*action, hint);
    return true;
  }
  if (auto* action = qobject_cast<QAction*>(&object)) {
    SetActionHint(*action, hint);
    return true;
  }
  if (auto* menu = qobject_cast<QMenu*>(&object)) {
    SetActionHint(*menu->menuAction(), hint);
    return true;
  }
  if (!widget) return false;
  const bool takesHint = qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QGroupBox*>(widget) || qobject_cast<QComboBox*>(widget) ||
                         NameStartsWith(object, "panel") || NameStartsWith(object, "shape");
  if (!takesHint) return false;
  widget->setToolTip(hint);
  return true;
}

void TranslateWindow(QWidget& window, const IniFile& languageFile, const std::string& section) {
  const std::vector<TranslationEntry> entries = ParseWindowSection(languageFile, section);
  // The window's named objects by lower-case name, gathered once: a section
  // with many entries must not walk the whole window for each of them.
  std::unordered_multimap<QString, QObject*> byName;
  ForEachOwnedObject(window, [&](QObject& object) {
    if (!object.objectName().isEmpty()) byName.emplace(object.objectName().toLower(), &object);
  });
  for (const TranslationEntry& entry : entries) {
    if (entry.value.empty()) continue;
    if (entry.kind == TranslationEntry::Caption) {
      window.setWindowTitle(QString::fromStdString(entry.value));
      continue;
    }
    const auto [first, last] =
        byName.equal_range(QString::fromStdString(entry.component).toLower());
    for (auto it = first; it != last; ++it) {
      if (entry.kind == TranslationEntry::ControlCaption)
        ApplyControlCaption(*it->second, entry.value);
      else
        ApplyControlHint(*it->second, entry.value);
    }
  }
}

void SelectComboText(QComboBox& comboBox, const std::string& text) {
  comboBox.setCurrentIndex(
      comboBox.findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

}  // namespace qv
