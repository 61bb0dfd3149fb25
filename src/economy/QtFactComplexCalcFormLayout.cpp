// The controls of the complex profit window and their places.
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "economy/FactComplexCalcForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtEditorParts.h"
#include "widgets/QtToolIcons.h"
#include "widgets/QtUpDown.h"

namespace qv {

namespace {

constexpr int kDividerMinimum = 100;

QToolButton* MakeToolButton(const char* name, const char* hint, ToolIcon icon) {
  auto* button = Named(new QToolButton, name);
  button->setToolTip(hint);
  button->setIcon(MakeToolIcon(icon));
  button->setIconSize(QSize(24, 24));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

void TFactComplexCalcForm::BuildControls() {
  panel2_ = BuildListPanel();
  panel6_ = BuildFramePanel();
  frameDivider_ = Named(new QSplitter(Qt::Horizontal), "Splitter2");
  frameDivider_->addWidget(panel6_);
  frameDivider_->addWidget(BuildResultPanel());
  listDivider_ = Named(new QSplitter(Qt::Vertical), "Splitter1");
  listDivider_->addWidget(panel2_);
  listDivider_->addWidget(frameDivider_);
  // Both dividers keep 100 pixels on either side; a larger window gives its
  // room to the results, so the list and the frames keep their sizes.
  for (QSplitter* divider : {listDivider_, frameDivider_}) {
    divider->setChildrenCollapsible(false);
    divider->setStretchFactor(0, 0);
    divider->setStretchFactor(1, 1);
  }
  panel2_->setMinimumHeight(kDividerMinimum);
  frameDivider_->setMinimumHeight(kDividerMinimum);
  panel6_->setMinimumWidth(kDividerMinimum);
  frameDivider_->widget(1)->setMinimumWidth(kDividerMinimum);
  connect(listDivider_, &QSplitter::splitterMoved, this,
          [this] { listHeight_ = listDivider_->sizes().value(0); });
  connect(frameDivider_, &QSplitter::splitterMoved, this,
          [this] { prodListWidth_ = frameDivider_->sizes().value(0); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(listDivider_, 1);
  layout->addLayout(BuildBottomLine());
}

QWidget* TFactComplexCalcForm::BuildListPanel() {
  toolButton1_ = MakeToolButton("ToolButton1", "Add factory", ToolIcon::AddFactory);
  toolButton2_ = MakeToolButton("ToolButton2", "Delete factory", ToolIcon::DeleteFactory);
  toolButton3_ = MakeToolButton("ToolButton3", "Clear all", ToolIcon::ClearFactories);
  toolButton4_ = Named(new QToolButton, "ToolButton4");
  toolButton4_->setText("&Plan...");
  toolButton4_->setToolTip("Find the factories that make the products you want");
  toolButton4_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto* label1 = MakeLabel("Label1", "Solar Power Plant Cycle (sec):");
  edit1_ = Named(new QLineEdit("0"), "Edit1");
  edit1_->setMaximumWidth(60);
  label1->setBuddy(edit1_);
  upDown1_ = Named(new QtUpDown, "UpDown1");
  upDown1_->SetRange(0, 999);
  upDown1_->Associate(edit1_);
  auto* label10 = MakeLabel("Label10", "<< Load from sector:");
  comboBox1_ = Named(new QComboBox, "ComboBox1");
  LimitDropDownRows(*comboBox1_);
  comboBox1_->setMinimumContentsLength(16);
  label10->setBuddy(comboBox1_);

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  for (QWidget* w : {static_cast<QWidget*>(toolButton1_), static_cast<QWidget*>(toolButton2_),
                     static_cast<QWidget*>(toolButton3_), static_cast<QWidget*>(toolButton4_)})
    bar->addWidget(w);
  bar->addSpacing(16);
  bar->addWidget(label1);
  bar->addWidget(edit1_);
  bar->addWidget(upDown1_);
  bar->addSpacing(8);
  bar->addWidget(label10);
  bar->addWidget(comboBox1_);
  bar->addStretch(1);

  dbGrid1_->setObjectName("DBGrid1");
  dbGrid1_->setMinimumHeight(60);
  auto* panel = Named(new QWidget, "Panel2");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 4);
  layout->addLayout(bar);
  layout->addWidget(dbGrid1_, 1);

  connect(toolButton1_, &QToolButton::clicked, this, &TFactComplexCalcForm::ToolButton1Click);
  // The grid leaves Ctrl+Insert to its window: here it adds a factory.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), this), &QShortcut::activated, this,
          &TFactComplexCalcForm::ToolButton1Click);
  connect(toolButton2_, &QToolButton::clicked, this, &TFactComplexCalcForm::ToolButton2Click);
  connect(toolButton3_, &QToolButton::clicked, this, &TFactComplexCalcForm::ToolButton3Click);
  connect(toolButton4_, &QToolButton::clicked, this, &TFactComplexCalcForm::ToolButton4Click);
  connect(edit1_, &QLineEdit::textChanged, this, &TFactComplexCalcForm::Edit1Change);
  // A number typed or stepped no longer comes from the chosen sector.
  edit1_->installEventFilter(this);
  connect(upDown1_, &QtUpDown::clicked, this, [this] { comboBox1_->setCurrentIndex(-1); });
  connect(comboBox1_, &QComboBox::activated, this, &TFactComplexCalcForm::ComboBox1Change);
  return panel;
}

void TFactComplexCalcForm::DesignGridColumns() {
  TColumn allowNps = DesignedColumn("AllowNPS", 70);
  allowNps.PickList = {"Yes", "No"};
  TColumnList columns = {DesignedColumn("FactoryId", 189, "Factory"),
                         DesignedColumn("Yield", 50),
                         allowNps,
                         DesignedColumn("Profit", 80, "MP, Cr/h"),
                         DesignedColumn("Prod1", 130),
                         DesignedColumn("Res1", 130),
                         DesignedColumn("Res2", 130),
                         DesignedColumn("Res3", 130)};
  for (TColumn& column : columns)
    if (column.FieldName == "Profit" || column.FieldName.starts_with("Prod") ||
        column.FieldName.starts_with("Res"))
      column.ReadOnly = true;
  dbGrid1_->SetColumns(std::move(columns));
}

QWidget* TFactComplexCalcForm::BuildFramePanel() {
  label5_ = MakeBoldLabel("Label5", "");
  const TFramePanel framePanel = MakeFramePanel();
  scrollBox1_ = framePanel.scrollBox;
  frameList_ = framePanel.frameList;
  label7_ = MakeBoldLabel("Label7", "");
  label8_ = MakeLabel("Label8", "Cr/hour");

  auto* profit = new QHBoxLayout;
  profit->addWidget(MakeLabel("Label6", "Factory max. profit:"));
  profit->addWidget(label7_);
  profit->addWidget(label8_);
  profit->addStretch(1);

  auto* panel = Named(new QWidget, "Panel6");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 4, 4, 0);
  layout->addWidget(label5_);
  layout->addWidget(scrollBox1_, 1);
  layout->addLayout(profit);
  return panel;
}

QWidget* TFactComplexCalcForm::BuildResultPanel() {
  label9_ = MakeBoldLabel("Label9", "Production rates, units/hour:");
  label9_->installEventFilter(this);
  stringGrid1_ = Named(new QTableWidget(1, 6), "StringGrid1");
  stringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stringGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  stringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  stringGrid1_->verticalHeader()->hide();
  stringGrid1_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  stringGrid1_->horizontalHeader()->setHighlightSections(false);
  stringGrid1_->setWordWrap(false);
  ApplyResultTitles();
  for (int i = 0; i < 6; ++i)
    stringGrid1_->setColumnWidth(i, resultWidths_[i]);

  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 4, 0, 0);
  layout->addWidget(label9_);
  layout->addWidget(stringGrid1_, 1);
  return panel;
}

void TFactComplexCalcForm::ApplyResultTitles() {
  for (int i = 0; i < 6; ++i) {
    stringGrid1_->setHorizontalHeaderItem(
        i, new QTableWidgetItem(QString::fromStdString(texts_.GridTitles[i])));
  }
}

QLayout* TFactComplexCalcForm::BuildBottomLine() {
  label3_ = MakeBoldLabel("Label3", "");
  label4_ = MakeLabel("Label4", "Cr/hour");
  label11_ = MakeBoldLabel("Label11", "");
  button1_ = Named(new QPushButton("OK"), "Button1");
  // Enter in a price box must not close the window; Escape does (reject).
  button1_->setAutoDefault(false);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);

  auto* line = new QHBoxLayout;
  line->addWidget(MakeLabel("Label2", "Complex profit:"));
  line->addWidget(label3_);
  line->addWidget(label4_);
  line->addSpacing(12);
  line->addWidget(label11_);
  line->addStretch(1);
  line->addWidget(button1_);
  return line;
}

void TFactComplexCalcForm::ApplyDividers() {
  const int height = std::max(listDivider_->height(), 2 * kDividerMinimum);
  listDivider_->setSizes({listHeight_, std::max(kDividerMinimum, height - listHeight_)});
  const int width = std::max(frameDivider_->width(), 2 * kDividerMinimum);
  frameDivider_->setSizes({prodListWidth_, std::max(kDividerMinimum, width - prodListWidth_)});
}

}  // namespace qv
