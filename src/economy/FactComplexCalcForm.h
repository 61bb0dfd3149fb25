#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "data/Table.h"
#include "economy/ComplexCalculation.h"
#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
#include "economy/ProductPanelOwnerForm.h"
#include "economy/QtProductFrame.h"
#include "settings/ProgramWindow.h"

class QLabel;
class QLayout;
class QLineEdit;
class QComboBox;
class QScrollArea;
class QSplitter;
class QTableWidget;
class QToolButton;
class QPushButton;
class QStyleOptionViewItem;

namespace qv {

class BusyCursor;
class Dialogs;
class QtColumnLayoutFile;
class QtDataGrid;
class QtUpDown;
class TComplexPlanForm;
class TDataModule1;
struct TColumn;
struct TMainTexts;

// "Factory complex profit": the player lists the factories of a complex
// (each of a buyable type, with its yield and whether it may sell outside),
// sets each factory's prices on its product frames, and reads what the
// complex makes, takes, exports and imports per product and what it earns
// per hour. The list and its prices live in "AuxFact.cds" and "AuxProd.cds"
// beside the program: read each time the window is shown, written each time
// it closes. The window lives from start to exit.
class TFactComplexCalcForm : public TProductPanelOwnerForm, public TProgramWindow {
  Q_OBJECT

 public:
  // `mainTexts` are the main window's, whose delete question the window asks.
  TFactComplexCalcForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                       std::string programFolder, const TMainTexts& mainTexts,
                       QWidget* parent = nullptr);
  ~TFactComplexCalcForm() override;

  void Execute();  // FormShow, modal, FormClose
  void Translate(const IniFile& languageFile) override;
  // The placement, the two dividers, the solar cycle, the sector and the
  // result columns; the column layout "fact4.col". Settings written by
  // another build replace the saved complex by an empty one (without the
  // folder's lock it is left alone and not read).
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  void ProductChanged(TProductFrame* frame) override;
  // Calculates the complex and shows its rows, the current factory's
  // maximum profit and the bottom line; nothing while Busy.
  void UpdateResults();
  // The product frames of the current row's factory.
  void RebuildFrames();
  int PowerCycle() const;

  // Events, public so that tests drive the window as the player does.
  void FormShow();
  void FormClose();
  void FactoryListDataAfterScroll();
  void ToolButton1Click();  // add
  void ToolButton2Click();  // delete
  void ToolButton3Click();  // clear all
  void ToolButton4Click();  // plan: the dialog, then its plan when chosen
  // Replaces the factories by the plan dialog's plan and computes it.
  void UsePlan();
  void Edit1Change();
  void ComboBox1Change();
  void Label9DblClick();  // the trace

  Table& FactoryListData() { return factoryList_; }
  QtDataGrid& Grid() const { return *dbGrid1_; }
  QTableWidget& ResultGrid() const { return *stringGrid1_; }
  const ProductFrames& Frames() const { return frames_; }
  TComplexCalculation& Calculation() { return calculation_; }
  const TComplexTexts& Texts() const { return texts_; }
  TComplexPlanForm& PlanForm() const { return *planForm_; }
  bool Busy() const { return busy_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Construction (QtFactComplexCalcFormLayout.cpp).
  void BuildControls();
  QWidget* BuildListPanel();
  QWidget* BuildFramePanel();
  QWidget* BuildResultPanel();
  QLayout* BuildBottomLine();
  void DesignGridColumns();
  void ApplyDividers();
  void ApplyResultTitles();

  // The factory list's events.
  void FactoryIdSetText(Field& field, const std::string& text);
  void FactoryListDataBeforePost(Table& table);
  void FactoryListDataBeforeDelete(Table& table);
  void FactoryListDataYieldChange(Field& field);
  void FactoryListDataAllowNPSChange(Field& field);
  void DrawFactoryCell(QPainter& painter, const QStyleOptionViewItem& option, const Record& record,
                       const TColumn& column);
  void LeaveCalculatedColumn();

  TFactory* CurrentFactory();
  void ShowResults(const TComplexResults& results);
  void SetCycleHints();
  void FillSectors();

  TDataModule1& store_;
  Dialogs& dialogs_;
  BusyCursor* busyCursor_;
  std::string programFolder_;
  const TMainTexts& mainTexts_;

  bool busy_ = true;  // UpdateResults and the row change do nothing meanwhile
  TComplexCalculation calculation_;
  TComplexTexts texts_;
  std::string CurSector;
  Table factoryList_{"FactoryListData"};
  Table factProd_{"FactProdData"};
  // Only buyable factory types are visible while the window is open.
  std::optional<BuyableFactoryTypes> buyableTypes_;
  // The saved complex could not be read: it is not written over by an empty one.
  bool loadFailed_ = false;
  std::string reportedLoadError_;  // the last reason told, so that it is told once
  // The saved complex is another build's, and this run may not replace it:
  // it is not read either.
  bool foreignComplex_ = false;
  ProductFrames frames_;
  std::unique_ptr<QtColumnLayoutFile> layoutFile_;
  int listHeight_ = 0;     // FactoryListHeight
  int prodListWidth_ = 0;  // ProdListWidth
  bool laidOut_ = false;   // shown once: the dividers' panes have their sizes
  std::array<int, 6> resultWidths_{135, 40, 80, 80, 150, 100};
  std::unique_ptr<TComplexPlanForm> planForm_;

  QToolButton* toolButton1_ = nullptr;
  QToolButton* toolButton2_ = nullptr;
  QToolButton* toolButton3_ = nullptr;
  QToolButton* toolButton4_ = nullptr;  // "Plan..."
  QLineEdit* edit1_ = nullptr;
  QtUpDown* upDown1_ = nullptr;
  QComboBox* comboBox1_ = nullptr;
  QtDataGrid* dbGrid1_ = nullptr;
  QWidget* panel2_ = nullptr;
  QWidget* panel6_ = nullptr;
  QSplitter* listDivider_ = nullptr;   // below Panel2
  QSplitter* frameDivider_ = nullptr;  // right of Panel6
  QLabel* label5_ = nullptr;           // "Prices: " and the factory
  QScrollArea* scrollBox1_ = nullptr;
  QWidget* frameList_ = nullptr;  // the scroll box's content
  QLabel* label7_ = nullptr;      // the current factory's maximum profit
  QLabel* label8_ = nullptr;
  QLabel* label9_ = nullptr;  // double click: the trace
  QTableWidget* stringGrid1_ = nullptr;
  QLabel* label3_ = nullptr;  // complex profit
  QLabel* label4_ = nullptr;
  QLabel* label11_ = nullptr;  // message
  QPushButton* button1_ = nullptr;
};

}  // namespace qv
