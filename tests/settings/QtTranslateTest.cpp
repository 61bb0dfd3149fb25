#include "settings/QtTranslate.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <type_traits>

#include "data/IniFile.h"

namespace {

using qv::IniFile;

// A small window with one control of every kind the language files reach.
class TestWindow : public QWidget {
 public:
  TestWindow() {
    setWindowTitle("Window");
    auto* layout = new QVBoxLayout(this);
    label = Add<QLabel>("Label1", "Label");
    button = Add<QPushButton>("Button1", "Button");
    check = Add<QCheckBox>("CheckBox1", "Check");
    group = Add<QGroupBox>("GroupBox1");
    group->setTitle("Group");
    combo = Add<QComboBox>("ComboBox1");
    combo->addItems({"one", "two", "Two", "two"});
    edit = Add<QLineEdit>("Edit1", "edit text");
    panel = Add<QFrame>("Panel1");
    shape = Add<QFrame>("Shape1");
    tabs = Add<QTabWidget>("PageControl1");
    page = new QWidget;
    page->setObjectName("TabSheet1");
    tabs->addTab(page, "Page");
    toolButton = Add<QToolButton>("ToolButton1");
    toolAction = new QAction("Tool", this);
    toolButton->setDefaultAction(toolAction);
    auto* bar = new QMenuBar(this);
    menu = bar->addMenu("File");
    menu->setObjectName("File1");
    action = menu->addAction("Open");
    action->setObjectName("Open1");
    for (QWidget* w : std::initializer_list<QWidget*>{label, button, check, group, combo, edit,
                                                      panel, shape, tabs, toolButton})
      layout->addWidget(w);
  }

  template <class W>
  W* Add(const char* name, const char* text = nullptr) {
    W* widget = nullptr;
    if constexpr (std::is_constructible_v<W, const char*, QWidget*>)
      widget = new W(text ? text : "", this);
    else
      widget = new W(this);
    widget->setObjectName(name);
    return widget;
  }

  QLabel* label;
  QPushButton* button;
  QCheckBox* check;
  QGroupBox* group;
  QComboBox* combo;
  QLineEdit* edit;
  QFrame* panel;
  QFrame* shape;
  QTabWidget* tabs;
  QWidget* page;
  QToolButton* toolButton;
  QAction* toolAction;
  QMenu* menu;
  QAction* action;
};

class QtTranslateTest : public ::testing::Test {
 protected:
  IniFile file_{""};
  TestWindow window_;
  void Set(const std::string& key, const std::string& value) {
    file_.WriteString("TestForm", key, value);
  }
  void Translate() { qv::TranslateWindow(window_, file_, "TESTFORM"); }
};

TEST_F(QtTranslateTest, NamesAndPropertiesMatchWithoutRegardToCase) {
  Set("CAPTION", "Fenster");
  Set("label1.CAPTION", "Beschriftung");
  Set("BUTTON1.caption", "Knopf");
  Set("Button1.Hint", "Drück mich");
  Set("checkbox1.Caption", "Prüfen");
  Set("GroupBox1.Caption", "Gruppe");
  Translate();
  EXPECT_EQ(window_.windowTitle(), "Fenster");
  EXPECT_EQ(window_.label->text(), "Beschriftung");
  EXPECT_EQ(window_.button->text(), "Knopf");
  EXPECT_EQ(window_.button->toolTip(), QString::fromUtf8("Drück mich"));
  EXPECT_EQ(window_.check->text(), QString::fromUtf8("Prüfen"));
  EXPECT_EQ(window_.group->title(), "Gruppe");
}

TEST_F(QtTranslateTest, KindsThatTakeOnlyAHintOrNothing) {
  Set("ComboBox1.Caption", "ignored");
  Set("ComboBox1.Hint", "choose");
  Set("Shape1.Caption", "ignored");
  Set("Shape1.Hint", "colour");
  Set("Edit1.Caption", "ignored");
  Set("Edit1.Hint", "ignored");
  Translate();
  EXPECT_EQ(window_.combo->currentText(), "one");
  EXPECT_EQ(window_.combo->toolTip(), "choose");
  EXPECT_EQ(window_.shape->toolTip(), "colour");
  EXPECT_FALSE(window_.shape->property("caption").isValid());
  EXPECT_EQ(window_.edit->text(), "edit text");
  EXPECT_TRUE(window_.edit->toolTip().isEmpty());
}

TEST_F(QtTranslateTest, EmptyValuesAndMalformedKeysChangeNothing) {
  Set("Caption", "");
  Set("Label1.Caption", "");
  Set("Button1.Text", "unknown property");
  Set(".Caption", "no component");
  Set("Label1.", "no property");
  Set("Unknown1.Caption", "no such control");
  Translate();
  EXPECT_EQ(window_.windowTitle(), "Window");
  EXPECT_EQ(window_.label->text(), "Label");
  EXPECT_EQ(window_.button->text(), "Button");
}

TEST_F(QtTranslateTest, ValueKeepsEverythingAfterTheFirstEqualsSign) {
  Set("Label1.Caption", "a=b");
  Translate();
  EXPECT_EQ(window_.label->text(), "a=b");
}

TEST_F(QtTranslateTest, TabPagesMenusActionsToolButtonsAndPanels) {
  Set("TabSheet1.Caption", "Seite");
  Set("TabSheet1.Hint", "Seitenhinweis");
  Set("File1.Caption", "&Datei");
  Set("Open1.Caption", "Öffnen");
  Set("Open1.Hint", "Öffnet");
  Set("ToolButton1.Caption", "Werkzeug");
  Set("Panel1.Caption", "Tafel");
  Set("Panel1.Hint", "Tafelhinweis");
  Translate();
  EXPECT_EQ(window_.tabs->tabText(0), "Seite");
  EXPECT_EQ(window_.tabs->tabToolTip(0), "Seitenhinweis");
  EXPECT_EQ(window_.menu->title(), "&Datei");
  EXPECT_EQ(window_.action->text(), QString::fromUtf8("Öffnen"));
  EXPECT_EQ(window_.action->statusTip(), QString::fromUtf8("Öffnet"));
  EXPECT_EQ(window_.action->toolTip(), QString::fromUtf8("Öffnet"));
  EXPECT_EQ(window_.toolAction->text(), "Werkzeug");
  EXPECT_EQ(window_.panel->property("caption").toString(), "Tafel");
  EXPECT_EQ(window_.panel->toolTip(), "Tafelhinweis");
}

TEST_F(QtTranslateTest, OtherWindowsAndOwnScopesAreNotReached) {
  // A window parented to this one (the way a tool window is) has its own
  // section; a frame marked as its own scope is translated by its owner.
  QWidget child(&window_, Qt::Tool);
  auto* childLabel = new QLabel("child", &child);
  childLabel->setObjectName("Label1");
  auto* frame = new QWidget(&window_);
  frame->setProperty("translationScope", true);
  auto* frameLabel = new QLabel("frame", frame);
  frameLabel->setObjectName("Label1");
  Set("Label1.Caption", "translated");
  Translate();
  EXPECT_EQ(window_.label->text(), "translated");
  EXPECT_EQ(childLabel->text(), "child");
  EXPECT_EQ(frameLabel->text(), "frame");
}

TEST(QtSelectComboTextTest, SelectsFirstExactMatchOrNothing) {
  QComboBox combo;
  combo.addItems({"one", "Two", "two", "two"});
  qv::SelectComboText(combo, "two");
  EXPECT_EQ(combo.currentIndex(), 2);
  qv::SelectComboText(combo, "TWO");
  EXPECT_EQ(combo.currentIndex(), -1);
  qv::SelectComboText(combo, "one");
  EXPECT_EQ(combo.currentIndex(), 0);
  qv::SelectComboText(combo, "");
  EXPECT_EQ(combo.currentIndex(), -1);
}

}  // namespace
