#include "editors/QtNumberBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include "support/QtWidgetProbes.h"

namespace {

using qvtest::TypeInto;

QString Shown(QSpinBox& box) {
  return box.findChild<QLineEdit*>()->text();
}

TEST(QtNumberBoxTest, TypingIsFreeAndTheValueIsHeldToTheRangeWhenTaken) {
  QWidget window;
  auto* box = new qv::QtNumberBox(0, 100, &window);
  box->setValue(40);

  TypeInto(*box, "150");
  EXPECT_EQ(Shown(*box), "150");
  qv::CommitNumberBoxes(window);
  EXPECT_EQ(box->value(), 100);
  EXPECT_EQ(Shown(*box), "100");

  TypeInto(*box, "-7");
  EXPECT_EQ(Shown(*box), "-7");
  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(box, &focusOut);
  EXPECT_EQ(box->value(), 0);

  TypeInto(*box, "99999999999999");
  box->interpretText();
  EXPECT_EQ(box->value(), 100);

  // A number within the range is taken as typed; letters are refused.
  TypeInto(*box, "x6a4");
  EXPECT_EQ(Shown(*box), "64");
  EXPECT_EQ(box->value(), 64);
}

}  // namespace
