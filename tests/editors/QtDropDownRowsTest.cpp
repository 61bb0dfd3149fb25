#include "editors/QtDropDownRows.h"

#include <gtest/gtest.h>
#include <QComboBox>

#include "support/QtWidgetProbes.h"

namespace {

TEST(QtDropDownRowsTest, ListsShowFifteenRowsUnlessToldOtherwise) {
  QWidget window;
  auto* box = new QComboBox(&window);
  for (int i = 0; i < 100; ++i)
    box->addItem(QString::number(i));
  window.show();
  qv::LimitDropDownRows(*box);
  EXPECT_EQ(qvtest::ShownDropDownRows(*box), qv::kDropDownRows);
  qv::LimitDropDownRows(*box, 20);
  EXPECT_EQ(qvtest::ShownDropDownRows(*box), 20);
}

}  // namespace
