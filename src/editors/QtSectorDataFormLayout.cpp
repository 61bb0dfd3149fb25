// The controls of the objects-in-sector window: the heading and the station
// boxes, the factory page with the solar cycle, one page per station kind.
#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/QtDataGrid.h"
#include "editors/QtEditorParts.h"
#include "editors/QtTableModel.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorObjects.h"
#include "widgets/QtUpDown.h"

namespace qv {

namespace {

// The station pages in the order of their tabs, after the factory page.
struct StationDesign {
  Trader trader;
  const char* box;
  const char* caption;  // of the box and of the page
  const char* sheet;
  const char* add;
  const char* remove;
  const char* grid;
  const char* layoutFile;
};
constexpr StationDesign kStationDesigns[] = {
    {Trader::Shipyard, "CheckBox1", "Shipyard", "ShipyardSheet", "ToolButton3", "ToolButton4",
     "DBGrid2", "shipyard.col"},
    {Trader::EquipmentDock, "CheckBox2", "Equipment Dock", "DockSheet", "ToolButton5",
     "ToolButton6", "DBGrid3", "eq_dock.col"},
    {Trader::TradingStation, "CheckBox3", "Trading Station", "TradingSheet", "ToolButton7",
     "ToolButton8", "DBGrid4", "tr_stat.col"},
    {Trader::PirateBase, "CheckBox4", "Pirate Base", "PirateSheet", "ToolButton9", "ToolButton10",
     "DBGrid5", "p_base.col"},
};

QtDataGrid* MakeGrid(Dialogs& dialogs, const char* name, QWidget* parent) {
  auto* grid = new QtDataGrid(dialogs, parent);
  grid->setObjectName(QString::fromLatin1(name));
  return grid;
}

}  // namespace

void TSectorDataForm::BuildControls() {
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  QFont bold = label2_->font();
  bold.setBold(true);
  label2_->setFont(bold);
  auto* boxes = new QHBoxLayout;

  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName("PageControl1");
  pageControl1_->addTab(BuildFactorySheet(), "Factories");
  for (int i = 0; i < static_cast<int>(std::size(kStationDesigns)); ++i) {
    StationPage& page = Station(kStationDesigns[i].trader);
    BuildStationPage(page, i);
    boxes->addWidget(page.box);
  }
  boxes->addStretch(1);
  connect(pageControl1_, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

  button1_ = MakePushButton("Button1", "OK", this);
  button2_ = MakePushButton("Button2", "Factories...", this);
  button3_ = MakePushButton("Button3", "Products...", this);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(button2_, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(button3_, &QPushButton::clicked, this, [this] { Button3Click(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button2_);
  buttons->addWidget(button3_);
  buttons->addStretch(1);
  buttons->addWidget(button1_);

  GridsTakeEscapeFirst(
      *this, {dbGrid1_, Station(Trader::Shipyard).grid, Station(Trader::EquipmentDock).grid,
              Station(Trader::TradingStation).grid, Station(Trader::PirateBase).grid});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(label2_);
  layout->addLayout(boxes);
  layout->addWidget(pageControl1_, 1);
  layout->addLayout(buttons);
}

QWidget* TSectorDataForm::BuildFactorySheet() {
  factorySheet_ = new QWidget(this);
  factorySheet_->setObjectName("FactorySheet");
  QToolBar* toolBar = MakeEditorToolBar("ToolBar1", factorySheet_);
  toolButton1_ = AddToolButton(*toolBar, "ToolButton1", "Add factory", ToolIcon::AddRow,
                               [this] { ToolButton1Click(); });
  toolButton2_ = AddToolButton(*toolBar, "ToolButton2", "Delete factory", ToolIcon::DeleteRow,
                               [this] { ToolButton2Click(); });
  dbGrid1_ = MakeGrid(dialogs_, "DBGrid1", factorySheet_);
  dbGrid1_->SetColumns({DesignedColumn("FactoryId", 230, "Factory type"),
                        DesignedColumn("Your", 70, "Owner"), DesignedColumn("Yield", 60, "Yield")});
  OnCtrlInsert(*dbGrid1_, [this] { ToolButton1Click(); });
  connect(&dbGrid1_->Model(), &QtTableModel::CursorMoved, this, [this] { UpdateDeleteButtons(); });

  auto* label8 = new QLabel("Solar power plant cycle (sec):", factorySheet_);
  label8->setObjectName("Label8");
  edit1_ = new QLineEdit(factorySheet_);
  edit1_->setObjectName("Edit1");
  edit1_->setValidator(new QIntValidator(0, 9999, edit1_));
  edit1_->setMaximumWidth(60);
  label8->setBuddy(edit1_);
  upDown2_ = new QtUpDown(factorySheet_);
  upDown2_->setObjectName("UpDown2");
  upDown2_->SetRange(0, 9999);
  upDown2_->Associate(edit1_);
  label9_ = new QLabel(factorySheet_);
  label9_->setObjectName("Label9");
  connect(edit1_, &QLineEdit::textChanged, this, [this] { Edit1Change(); });

  auto* cycle = new QHBoxLayout;
  cycle->setSpacing(2);
  cycle->addWidget(label8);
  cycle->addSpacing(4);
  cycle->addWidget(edit1_);
  cycle->addWidget(upDown2_);
  cycle->addSpacing(6);
  cycle->addWidget(label9_);
  cycle->addStretch(1);
  QVBoxLayout* layout = MakeGridPageLayout(*factorySheet_, true);
  layout->addWidget(toolBar);
  layout->addWidget(dbGrid1_, 1);
  layout->addLayout(cycle);
  return factorySheet_;
}

void TSectorDataForm::BuildStationPage(StationPage& page, int index) {
  const StationDesign& design = kStationDesigns[index];
  page.trader = design.trader;
  page.layoutFile = design.layoutFile;
  page.box = new QCheckBox(QString::fromUtf8(design.caption), this);
  page.box->setObjectName(QString::fromLatin1(design.box));
  connect(page.box, &QCheckBox::toggled, this,
          [this, trader = design.trader] { StationBoxClick(trader); });

  page.sheet = new QWidget(this);
  page.sheet->setObjectName(QString::fromLatin1(design.sheet));
  QToolBar* toolBar = MakeEditorToolBar("", page.sheet);
  page.add = AddToolButton(*toolBar, design.add, "Add product", ToolIcon::AddRow,
                           [this] { ToolButton3Click(); });
  page.remove = AddToolButton(*toolBar, design.remove, "Delete product", ToolIcon::DeleteRow,
                              [this] { ToolButton4Click(); });
  page.grid = MakeGrid(dialogs_, design.grid, page.sheet);
  page.grid->SetColumns({DesignedColumn("ProductId", 260, "Product")});
  OnCtrlInsert(*page.grid, [this] { ToolButton3Click(); });
  connect(&page.grid->Model(), &QtTableModel::CursorMoved, this, [this] { UpdateDeleteButtons(); });
  QVBoxLayout* layout = MakeGridPageLayout(*page.sheet, true);
  layout->addWidget(toolBar);
  layout->addWidget(page.grid, 1);
  pageControl1_->addTab(page.sheet, QString::fromUtf8(design.caption));
}

TSectorDataForm::StationPage& TSectorDataForm::Station(Trader trader) {
  return stations_.at(static_cast<std::size_t>(CodeOf(trader)));
}

const TSectorDataForm::StationPage& TSectorDataForm::Station(Trader trader) const {
  return stations_.at(static_cast<std::size_t>(CodeOf(trader)));
}

QWidget& TSectorDataForm::Page(std::optional<Trader> trader) const {
  return !trader ? *factorySheet_ : *Station(*trader).sheet;
}

QtDataGrid& TSectorDataForm::Grid(std::optional<Trader> trader) const {
  return !trader ? *dbGrid1_ : *Station(*trader).grid;
}

QCheckBox& TSectorDataForm::StationBox(Trader trader) const {
  return *Station(trader).box;
}

QToolButton& TSectorDataForm::DeleteButton(std::optional<Trader> trader) const {
  return !trader ? *toolButton2_ : *Station(*trader).remove;
}

QString TSectorDataForm::Heading() const {
  return label2_->text();
}

QString TSectorDataForm::CycleText() const {
  return label9_->text();
}

std::string TSectorDataForm::PageCaption(Trader trader) const {
  return pageControl1_->tabText(pageControl1_->indexOf(Station(trader).sheet)).toStdString();
}

}  // namespace qv
