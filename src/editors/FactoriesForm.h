#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "data/StoreScopes.h"
#include "settings/ProgramWindow.h"

class QLabel;
class QPushButton;
class QSplitter;
class QToolButton;

namespace qv {

// The texts of the factory types window that a language file may replace.
struct TFactoriesTexts {
  std::string SpecialNone = "- None -";  // first choice of the special column
  // The question before a row is deleted from a list: the product and the
  // factory type here, the factory type and the sector in the objects window.
  std::string DeleteFromMsg = "Delete \"%s\" from \"%s\" ?";
  std::string InfoText = "products per %d sec ";
  std::string InfoYieldText = "(yield=1) ";  // after the information text of mines
};

class Dialogs;
class IniFile;
class QtColumnLayoutFile;
class QtDataGrid;
class TDataModule1;
class TProductsForm;
struct TMainTexts;

// "Factories": the factory types in one grid and, in the other, what the
// current type produces and needs. The two panels lie one above the other or
// side by side, with a divider between them. Edits go to the tables at once;
// "OK" only closes the window.
class TFactoriesForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TFactoriesForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                 std::string programFolder, TProductsForm& products, QWidget* parent = nullptr);
  ~TFactoriesForm() override;

  void Execute();  // FormShow, then modal

  void Translate(const IniFile& languageFile) override;
  // Section "FactoriesWindow" (placement and panel sizes), the layout files
  // "fact1.col" and "fact2.col".
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  // Events, public so that tests drive the window as the player does.
  void FormShow();
  void FormClose();
  void ToolButton1Click();  // add a factory type (also Ctrl+Insert in its grid)
  void ToolButton2Click();  // delete the current factory type
  void ToolButton3Click();  // add a recipe row (also Ctrl+Insert in its grid)
  void ToolButton4Click();  // delete the current recipe row
  void ToolButton6Click();  // panels one above the other
  void ToolButton7Click();  // panels side by side
  void Button2Click();      // the product types window
  void UpdateButtonStates();
  void UpdateInfoText();

  const TFactoriesTexts& Texts() const { return texts_; }

  QtDataGrid& TypeGrid() const { return *dbGrid1_; }
  QtDataGrid& RecipeGrid() const { return *dbGrid2_; }
  QString InfoText() const;
  QString TypeName() const;
  bool Stacked() const;
  // The factory type panel's height (stacked) or width (side by side).
  int PanelSize() const;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The designed width, or what the designed columns need when more.
  int FirstRunWidth() const;
  // One builder per panel; BuildControls puts them in place.
  void BuildControls();
  QWidget* BuildTypesPanel();
  QWidget* BuildRecipePanel();
  void ArrangePanels(bool stacked, int panelSize);
  void FillProductPickList();
  int WindowExtent() const;  // height (stacked) or width (side by side)
  bool CommitGrids();

  TDataModule1& store_;
  Dialogs& dialogs_;
  const TMainTexts& mainTexts_;
  std::string programFolder_;
  TProductsForm& products_;
  std::unique_ptr<QtColumnLayoutFile> typeLayout_;
  std::unique_ptr<QtColumnLayoutFile> recipeLayout_;

  TFactoriesTexts texts_;

  // The panel sizes the settings gave, applied when the window first shows
  // (only then is the room between the panels known).
  int savedPart_ = 50;
  int savedTotal_ = 100;
  bool panelsPlaced_ = false;
  std::optional<TOpenRecipes> openRecipes_;  // while the window is shown

  QSplitter* splitter_ = nullptr;
  QToolButton* toolButton1_ = nullptr;
  QToolButton* toolButton2_ = nullptr;
  QToolButton* toolButton3_ = nullptr;
  QToolButton* toolButton4_ = nullptr;
  QToolButton* toolButton6_ = nullptr;
  QToolButton* toolButton7_ = nullptr;
  QtDataGrid* dbGrid1_ = nullptr;
  QtDataGrid* dbGrid2_ = nullptr;
  QLabel* dbText1_ = nullptr;
  QLabel* label1_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
};

}  // namespace qv
