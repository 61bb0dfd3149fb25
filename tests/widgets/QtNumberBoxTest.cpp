#include "widgets/QtNumberBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include "support/QtWidgetProbes.h"

namespace {

// The dialogs' tests hold "150" to 100 on OK; here the other ways in.
TEST(QtNumberBoxTest, TypedNumberIsHeldToTheRangeWhenTheBoxLosesFocus) {
  qv::QtNumberBox box(0, 100);
  auto hold = [&box](const char* typed) {
    qvtest::TypeInto(box, typed);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &focusOut);
    return box.findChild<QLineEdit*>()->text().toStdString();
  };
  EXPECT_EQ(hold("-7"), "0");
  EXPECT_EQ(hold("99999999999999"), "100");
  EXPECT_EQ(hold("x6a4"), "64");  // letters are refused as they are typed
  EXPECT_EQ(box.value(), 64);
}

}  // namespace
