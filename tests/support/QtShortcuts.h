#pragma once

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace qvtest {

// What pressing `keys` does where `scope` has a shortcut for them (the
// offscreen platform has no active window to deliver shortcuts to). False
// when `scope` has none.
inline bool PressShortcut(QWidget& scope, const QKeySequence& keys) {
  for (QShortcut* shortcut : scope.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
    if (shortcut->key() != keys || !shortcut->isEnabled()) continue;
    emit shortcut->activated();
    return true;
  }
  return false;
}

}  // namespace qvtest
