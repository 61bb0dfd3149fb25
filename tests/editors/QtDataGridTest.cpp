#include "editors/QtDataGrid.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QToolButton>

#include "data/Table.h"
#include "data/TableTestTables.h"
#include "editors/QtColumnLayout.h"
#include "editors/QtLookupComboBox.h"
#include "editors/QtTableModel.h"
#include "support/QtEditorTesting.h"
#include "support/ScriptedDialogs.h"
#include "support/StoreRows.h"
#include "support/TempDir.h"

namespace {

using qv::TableState;
using qv::TColumn;

TColumn Col(const std::string& field) {
  TColumn column;
  column.FieldName = field;
  return column;
}

// Products with a coded type (texts by callback), a yes/no flag, a lookup of
// their maker and a rule: a product needs a name.
class QtDataGridTest : public ::testing::Test {
 protected:
  QtDataGridTest() {
    makers_.AddField("Id", qv::FieldType::Integer);
    makers_.AddField("Name", qv::FieldType::String, 20);
    qvtest::AddRow(makers_, {{"Id", 1}, {"Name", "Argon Works"}});
    qvtest::AddRow(makers_, {{"Id", 2}, {"Name", "Boron Yards"}});

    products_.AddField("Id", qv::FieldType::AutoInc);
    products_.AddField("Name", qv::FieldType::String, 20);
    qv::Field& type = products_.AddField("Type", qv::FieldType::Integer);
    type.OnGetText = [](const qv::Field&, const qv::Value& v) {
      return v.IsNull() ? std::string() : std::string(v.ToInteger() == 2 ? "Ship" : "Product");
    };
    type.OnSetText = [](qv::Field& f, const std::string& text) {
      f.SetAsInteger(text == "Ship" ? 2 : 0);
    };
    products_.AddField("Buyable", qv::FieldType::Boolean).SetDisplayValues("Yes;No");
    products_.AddField("MakerId", qv::FieldType::Integer);
    products_.AddLookupField("Maker", 20, "MakerId", &makers_, "Id", "Name");
    products_.BeforePost = [](qv::Table& t) {
      if (t.FieldByName("Name").AsString().empty()) throw qv::TableError("A product needs a name");
    };
    for (const char* name : {"Ore", "Chips", "Food"}) {
      qvtest::AddRow(products_, {{"Name", name}, {"Type", 0}, {"Buyable", true}, {"MakerId", 1}});
    }
    products_.First();
    grid_.SetTable(&products_);
    grid_.SetColumns(Designed());
    grid_.resize(600, 300);
    grid_.show();
  }

  static qv::TColumnList Designed() {
    TColumn name = Col("Name");
    name.Width = 120;
    name.Title.Caption = "Product";
    TColumn type = Col("Type");
    type.PickList = {"Product", "Ship"};
    type.DropDownRows = 3;
    return {name, type, Col("Buyable"), Col("Maker"), Col("Id")};
  }

  std::string Text(int row, int column) {
    return grid_.Model().index(row, column).data().toString().toStdString();
  }
  void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Key(&grid_, key, modifiers);
  }
  void GoTo(int row, int column) { grid_.setCurrentIndex(grid_.Model().index(row, column)); }
  // Opens the editor on the current cell as F2 does.
  QWidget* OpenEditor() {
    Key(Qt::Key_F2);
    return grid_.indexWidget(grid_.currentIndex());
  }
  void Type(const std::string& text) {
    QWidget* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    auto* edit = editor->findChild<QLineEdit*>();
    if (!edit) edit = qobject_cast<QLineEdit*>(editor);
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromStdString(text));
    Key(editor, Qt::Key_Tab);  // commits, moves along the row
  }

  qvtest::ScriptedDialogs dialogs_;
  qv::Table makers_{"Makers"};
  qv::Table products_{"Products"};
  qv::QtDataGrid grid_{dialogs_};
};

TEST_F(QtDataGridTest, ShowsDisplayTextsTitlesAndFollowsTheCursorBothWays) {
  const qv::QtTableModel& model = grid_.Model();
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Product");
  EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Buyable");
  EXPECT_EQ(Text(1, 0), "Chips");
  EXPECT_EQ(Text(1, 1), "Product");
  EXPECT_EQ(Text(1, 2), "Yes");
  EXPECT_EQ(Text(1, 3), "Argon Works");
  makers_.First();
  makers_.Edit();
  makers_.FieldByName("Name").SetAsString("Argon Forge");
  makers_.Post();
  EXPECT_EQ(Text(1, 3), "Argon Forge");                               // lookups follow their table
  EXPECT_FALSE(model.flags(model.index(0, 4)) & Qt::ItemIsEditable);  // auto-increment

  products_.Last();
  EXPECT_EQ(grid_.currentIndex().row(), 2);
  GoTo(1, 0);
  EXPECT_EQ(products_.RecNo(), 2);
  Key(Qt::Key_Up);
  EXPECT_EQ(products_.FieldByName("Name").AsString(), "Ore");
}

TEST_F(QtDataGridTest, LeavingAChangedRowPostsItAndEscapeCancels) {
  GoTo(0, 0);
  Type("Iron");
  EXPECT_EQ(products_.State(), TableState::Edit);
  EXPECT_EQ(grid_.currentIndex(), grid_.Model().index(0, 1));  // Tab moved along the row
  Type("Ship");  // through the field's set-text callback
  Key(Qt::Key_Down);
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(products_.RecNo(), 2);
  EXPECT_EQ(qvtest::Column(products_, "Name")[0], "Iron");
  EXPECT_EQ(qvtest::Column(products_, "Type")[0], "2");

  GoTo(1, 0);
  Type("Silicon");
  EXPECT_EQ(Text(1, 0), "Silicon");
  Key(Qt::Key_Escape);
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(Text(1, 0), "Chips");
  Key(Qt::Key_Escape);  // nothing left to cancel: the window's key
  EXPECT_EQ(qvtest::Column(products_, "Name")[1], "Chips");
}

TEST_F(QtDataGridTest, NewRowsAreKeptWhenFilledAndDroppedWhenLeftUnchanged) {
  GoTo(2, 0);
  Key(Qt::Key_Down);  // from the last row: a new one
  EXPECT_EQ(products_.State(), TableState::Insert);
  EXPECT_EQ(grid_.Model().rowCount(), 4);
  EXPECT_EQ(grid_.currentIndex().row(), 3);
  Key(Qt::Key_Down);  // never a second blank row
  EXPECT_EQ(grid_.Model().rowCount(), 4);
  Key(Qt::Key_Up);
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(grid_.Model().rowCount(), 3);
  EXPECT_EQ(grid_.currentIndex().row(), 2);

  GoTo(1, 0);
  Key(Qt::Key_Insert);  // before the current row
  EXPECT_EQ(grid_.currentIndex().row(), 1);
  EXPECT_EQ(Text(2, 0), "Chips");
  Type("Water");
  Key(OpenEditor(), Qt::Key_Return);  // commits and moves on, posting the row
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(products_.RecordCount(), 4);
  EXPECT_EQ(qvtest::Column(products_, "Name")[1], "Water");

  grid_.SetAlwaysShowEditor(true);  // editors that open and close change nothing
  GoTo(3, 0);
  ASSERT_NE(grid_.indexWidget(grid_.currentIndex()), nullptr);
  Key(grid_.indexWidget(grid_.currentIndex()), Qt::Key_Down);
  ASSERT_EQ(products_.State(), TableState::Insert);
  ASSERT_NE(grid_.indexWidget(grid_.currentIndex()), nullptr);
  Key(grid_.indexWidget(grid_.currentIndex()), Qt::Key_Up);
  EXPECT_EQ(products_.RecordCount(), 4);
  EXPECT_EQ(products_.State(), TableState::Browse);

  dialogs_.yesNoAnswers = {false, true};
  grid_.SetDeleteConfirmation([&] { return dialogs_.AskYesNo("Delete?", "Delete"); });
  Key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(products_.RecordCount(), 4);
  Key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(products_.RecordCount(), 3);
}

TEST_F(QtDataGridTest, RefusedValuesAreReportedAndTheRowStaysInEdit) {
  GoTo(1, 0);
  Type("");
  Key(Qt::Key_Down);
  EXPECT_EQ(dialogs_.Messages(), std::vector<std::string>{"A product needs a name"});
  EXPECT_EQ(dialogs_.shown.back().caption, "Error");
  EXPECT_EQ(products_.State(), TableState::Edit);
  EXPECT_EQ(grid_.currentIndex().row(), 1);

  grid_.SetColumns({Col("MakerId"), Col("Name")});
  GoTo(1, 0);
  Type("two");  // no integer: refused, the row keeps its old value
  EXPECT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(products_.FieldByName("MakerId").AsInteger(), 1);
  Key(Qt::Key_Escape);
  EXPECT_EQ(products_.State(), TableState::Browse);
}

TEST_F(QtDataGridTest, AfterAPostTheGridStandsOnThePostedRowWhereverItsOrderPutIt) {
  products_.SetIndexFieldNames("Name");  // Chips, Food, Ore
  products_.First();
  ASSERT_TRUE(qvtest::TypeInCell(grid_, "Zinc"));
  qvtest::PressKey(qvtest::CellEditor(grid_), Qt::Key_Return);
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(qvtest::GridColumn(grid_, 0), (std::vector<std::string>{"Food", "Ore", "Zinc"}));
  EXPECT_EQ(grid_.currentIndex().row(), 2);
  EXPECT_EQ(products_.FieldByName("Name").AsString(), "Zinc");
  qvtest::PressKey(&grid_, Qt::Key_Return);  // nothing in edit: Enter moves on
  EXPECT_EQ(grid_.currentIndex().row(), 2);
  GoTo(0, 0);
  qvtest::PressKey(&grid_, Qt::Key_Return);
  EXPECT_EQ(products_.FieldByName("Name").AsString(), "Ore");

  // Rows added at the end of a long list are shown whole.
  for (int i = 0; i < 40; ++i)
    qvtest::AddRow(products_, {{"Name", "Bulk " + std::to_string(100 + i)}});
  grid_.resize(600, 200);
  products_.First();
  ASSERT_TRUE(grid_.AppendRow());
  EXPECT_EQ(grid_.currentIndex().row(), 43);
  EXPECT_TRUE(grid_.viewport()->rect().contains(grid_.visualRect(grid_.currentIndex())));
}

TEST_F(QtDataGridTest, ARefusedValueStaysInItsCellSelectedForCorrection) {
  grid_.SetColumns({Col("MakerId"), Col("Name")});
  GoTo(0, 0);
  for (const int key : {Qt::Key_Return, Qt::Key_Tab}) {
    ASSERT_TRUE(qvtest::TypeInCell(grid_, "x1"));
    QLineEdit* typed = qvtest::CellTextBox(grid_);
    qvtest::PressKey(typed, key);
    ASSERT_EQ(qvtest::CellTextBox(grid_), typed) << key;  // still open, on the same cell
    EXPECT_EQ(typed->text(), "x1");
    EXPECT_EQ(typed->selectedText(), "x1");
    EXPECT_EQ(grid_.CurrentField(), "MakerId");
    EXPECT_FALSE(grid_.FinishEditing());  // a window closing asks again
  }
  EXPECT_EQ(dialogs_.Messages(), std::vector<std::string>(4, "'x1' is not a valid integer value"));
  qvtest::CellTextBox(grid_)->setText("2");  // corrected in place
  qvtest::PressKey(qvtest::CellTextBox(grid_), Qt::Key_Return);
  EXPECT_EQ(qvtest::Column(products_, "MakerId")[0], "2");
  EXPECT_EQ(qvtest::CellEditor(grid_), nullptr);

  // Escape: the cell's edit first, then the row's, then the window's.
  ASSERT_TRUE(qvtest::TypeInCell(grid_, "y"));
  qvtest::PressKey(qvtest::CellTextBox(grid_), Qt::Key_Return);
  EXPECT_TRUE(qvtest::PressKey(qvtest::CellEditor(grid_), Qt::Key_Escape));
  EXPECT_EQ(qvtest::CellEditor(grid_), nullptr);
  EXPECT_EQ(products_.State(), TableState::Edit);
  EXPECT_TRUE(grid_.CancelStep());
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_FALSE(grid_.CancelStep());
  EXPECT_FALSE(qvtest::PressKey(&grid_, Qt::Key_Escape));
  EXPECT_EQ(qvtest::Column(products_, "MakerId")[0], "2");
}

TEST_F(QtDataGridTest, ANewRowGoesWithoutAQuestionOnlyWhenNothingWasTypedIntoIt) {
  grid_.SetDeleteConfirmation([&] { return dialogs_.AskYesNo("Delete record ?", "Delete"); });
  GoTo(2, 0);
  ASSERT_TRUE(grid_.AppendRow());
  EXPECT_TRUE(grid_.DeleteRow());
  EXPECT_TRUE(dialogs_.shown.empty());
  EXPECT_EQ(grid_.Model().rowCount(), 3);

  dialogs_.yesNoAnswers = {false, true};
  ASSERT_TRUE(grid_.AppendRow());
  ASSERT_TRUE(qvtest::TypeInCell(grid_, "Salt"));  // still in its editor
  EXPECT_FALSE(grid_.DeleteRow());
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].text, "Delete record ?");
  EXPECT_EQ(products_.State(), TableState::Insert);
  EXPECT_EQ(qvtest::CellTextBox(grid_)->text(), "Salt");
  qvtest::PressKey(qvtest::CellTextBox(grid_), Qt::Key_Tab);
  qvtest::PressKey(&grid_, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(products_.RecordCount(), 3);
}

TEST_F(QtDataGridTest, TheAlwaysOnEditorOpensOnNewRowsAndOnAClickOnTheCurrentCell) {
  grid_.activateWindow();
  QApplication::processEvents();
  grid_.SetAlwaysShowEditor(true);
  ASSERT_TRUE(grid_.AppendRow());
  EXPECT_NE(qvtest::CellEditor(grid_), nullptr);
  grid_.setFocus();  // as a window does after adding a row
  ASSERT_NE(qvtest::CellEditor(grid_), nullptr);
  qvtest::PressKey(qvtest::CellEditor(grid_), Qt::Key_Escape);
  ASSERT_EQ(qvtest::CellEditor(grid_), nullptr);
  QApplication::processEvents();
  qvtest::ClickCell(grid_, grid_.currentIndex());
  EXPECT_NE(qvtest::CellEditor(grid_), nullptr);
}

TEST_F(QtDataGridTest, AColumnIsNeverNarrowerThanItsTitle) {
  const QString title = "Besonderheit des Fabriktyps";
  const int needed = grid_.horizontalHeader()->fontMetrics().horizontalAdvance(title);
  grid_.ChangeColumn("Id", [](TColumn& c) { c.Width = 20; });
  grid_.SetColumnTitle("Id", title.toStdString());
  EXPECT_GT(grid_.horizontalHeader()->sectionSize(4), needed);
  TColumn narrow = Col("Type");
  narrow.Width = 15;
  narrow.Title.Caption = title.toStdString();
  grid_.SetColumns({narrow});
  EXPECT_GT(grid_.Columns()[0].Width, needed);
}

TEST_F(QtDataGridTest, PickListsAndLookupsEditInDropDowns) {
  GoTo(0, 1);
  auto* box = qobject_cast<QComboBox*>(OpenEditor());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->count(), 2);
  EXPECT_EQ(box->maxVisibleItems(), 3);
  EXPECT_EQ(box->lineEdit()->selectedText(), "Product");  // typing replaces it
  box->setCurrentIndex(1);
  emit box->activated(1);  // a choice from the list is written at once
  EXPECT_EQ(products_.FieldByName("Type").AsInteger(), 2);
  Key(box, Qt::Key_Return);
  EXPECT_EQ(qvtest::Column(products_, "Type")[0], "2");

  GoTo(0, 3);
  auto* lookup = qobject_cast<qv::QtLookupComboBox*>(OpenEditor());
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(lookup->ListedTexts(), (std::vector<std::string>{"Argon Works", "Boron Yards"}));
  ASSERT_TRUE(lookup->ChooseIndex(1));
  Key(lookup, Qt::Key_Return);
  EXPECT_EQ(qvtest::Column(products_, "MakerId")[0], "2");
  EXPECT_EQ(Text(0, 3), "Boron Yards");
}

TEST_F(QtDataGridTest, DetailGridsFollowTheirMasterAndNewRowsBelongToIt) {
  qv::Table recipes("Recipes");
  qvtest::BuildRecipes(recipes);
  qvtest::AddRecipe(recipes, 1, 10);
  qvtest::AddRecipe(recipes, 1, 11);
  qvtest::AddRecipe(recipes, 2, 12);
  makers_.First();
  recipes.SetMasterSource(&makers_, "Id", "FactoryId");
  qv::QtDataGrid detail(dialogs_);
  detail.SetTable(&recipes);
  detail.show();
  EXPECT_EQ(detail.Model().rowCount(), 2);
  makers_.Next();
  EXPECT_EQ(detail.Model().rowCount(), 1);
  EXPECT_EQ(detail.currentIndex().row(), 0);
  detail.setCurrentIndex(detail.Model().index(0, 2));
  Key(&detail, Qt::Key_Insert);
  Key(&detail, Qt::Key_F2);
  auto* edit = qobject_cast<QLineEdit*>(detail.indexWidget(detail.currentIndex()));
  ASSERT_NE(edit, nullptr);
  edit->setText("5");
  Key(edit, Qt::Key_Return);
  EXPECT_EQ(qvtest::Column(recipes, "Qty"), (std::vector<std::string>{"5", "1"}));
  EXPECT_EQ(qvtest::Column(recipes, "FactoryId"), (std::vector<std::string>{"2", "2"}));
  recipes.SetMasterSource(nullptr, "", "");
}

TEST_F(QtDataGridTest, ReadOnlyGridsRefuseEditsAndWindowKeysPassThrough) {
  grid_.ChangeColumn("Name", [](TColumn& c) { c.ButtonStyle = qv::EditButtonStyle::Ellipsis; });
  QString pressed;
  QObject::connect(&grid_, &qv::QtDataGrid::EditButtonClicked,
                   [&](const QString& field) { pressed = field; });
  GoTo(0, 0);
  QWidget* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  editor->findChild<QToolButton*>()->click();
  EXPECT_EQ(pressed, "Name");
  Key(editor, Qt::Key_Escape);

  grid_.SetReadOnly(true);
  GoTo(2, 0);
  Key(Qt::Key_Insert);
  Key(Qt::Key_Down);
  EXPECT_EQ(OpenEditor(), nullptr);
  EXPECT_EQ(products_.State(), TableState::Browse);
  EXPECT_EQ(grid_.Model().rowCount(), 3);
  QKeyEvent add(QEvent::KeyPress, Qt::Key_Insert, Qt::ControlModifier);
  QApplication::sendEvent(&grid_, &add);
  EXPECT_FALSE(add.isAccepted());  // Ctrl+Insert is the window's add command
}

TEST_F(QtDataGridTest, ColumnsMoveResizeHideAndKeepTheirTitlesByField) {
  QHeaderView* header = grid_.horizontalHeader();
  header->moveSection(0, 3);  // "Name" after "Maker"
  header->resizeSection(0, 150);
  grid_.ChangeColumn("Buyable", [](TColumn& c) { c.Visible = false; });
  grid_.SetColumnTitle("Name", "Ware");
  grid_.SetColumnTitle("NoSuchField", "x");

  const qv::TColumnList columns = grid_.Columns();
  ASSERT_EQ(columns.size(), 5u);
  EXPECT_EQ(columns[3].FieldName, "Name");
  EXPECT_EQ(columns[3].Width, 150);
  EXPECT_EQ(columns[3].Title.Caption, "Ware");
  EXPECT_FALSE(columns[1].Visible);
  EXPECT_TRUE(header->isSectionHidden(2));
  GoTo(0, 1);
  EXPECT_EQ(grid_.CurrentField(), "Type");
  grid_.SetCurrentColumn(3);
  EXPECT_EQ(grid_.CurrentField(), "Name");

  grid_.SetColumns({});  // no list: every visible field, in field order
  EXPECT_EQ(grid_.Model().columnCount(), products_.FieldCount());
  EXPECT_EQ(grid_.Columns()[1].FieldName, "Name");
}

TEST_F(QtDataGridTest, LayoutFileRoundTripAndAFileThatCannotBeRead) {
  qvtest::TempDir dir;
  {
    qv::QtColumnLayoutFile file(grid_, dir.Folder(), "products.col", true, dialogs_);
    EXPECT_FALSE(file.Loaded());
    grid_.horizontalHeader()->moveSection(0, 4);
    grid_.horizontalHeader()->resizeSection(1, 77);
    grid_.ChangeColumn("Maker", [](TColumn& c) { c.Visible = false; });
  }
  const qv::TColumnList saved = grid_.Columns();
  qv::QtDataGrid next(dialogs_);
  next.SetTable(&products_);
  next.SetColumns(Designed());
  {
    qv::QtColumnLayoutFile file(next, dir.Folder(), "products.col", true, dialogs_);
    EXPECT_TRUE(file.Loaded());
    EXPECT_EQ(next.Columns(), saved);
  }

  for (const std::string& bad : {std::string("\x01\x02garbage"),
                                 std::string("QVMap column layout 1\n[Column]\nField=Gone\n")}) {
    dir.Write("products.col", bad);
    qv::QtDataGrid fresh(dialogs_);
    fresh.SetTable(&products_);
    fresh.SetColumns(Designed());
    const qv::TColumnList designed = fresh.Columns();
    {
      qv::QtColumnLayoutFile file(fresh, dir.Folder(), "products.col", true, dialogs_);
      EXPECT_FALSE(file.Loaded());
      EXPECT_EQ(fresh.Columns(), designed);
    }
    EXPECT_TRUE(qv::LoadColumnLayout(fresh, dir.File("products.col")));  // rewritten whole
  }
  EXPECT_TRUE(dialogs_.shown.empty());

  qv::QtColumnLayoutFile otherBuild(next, dir.Folder(), "products.col", false, dialogs_);
  EXPECT_FALSE(otherBuild.Loaded());
}

TEST_F(QtDataGridTest, DisabledControlsRepaintOnceAndDrawingComesOnTop) {
  int resets = 0;
  QObject::connect(&grid_.Model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
  products_.DisableControls();
  for (int i = 0; i < 50; ++i)
    qvtest::AddRow(products_, {{"Name", "Bulk " + std::to_string(i)}});
  products_.EnableControls();
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(grid_.Model().rowCount(), 53);

  std::vector<std::string> drawn;
  grid_.SetCellDrawer([&](QPainter&, const QStyleOptionViewItem& option, const qv::Record& record,
                          const TColumn& column) {
    if (column.FieldName == "Name" && option.rect.isValid()) drawn.push_back(record.Text(1));
  });
  products_.First();
  grid_.grab();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), "Ore");
}

}  // namespace
