#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "settings/ProgramWindow.h"

class QPushButton;
class QToolButton;

namespace qv {

class Dialogs;
class IniFile;
class QtColumnLayoutFile;
class QtDataGrid;
class TDataModule1;
struct TMainTexts;

// "Products": the product types in one grid, in the order type then name:
// name, type, prices and the trading station's quantity and time. Edits go
// to the table at once; "OK" only closes the window.
class TProductsForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TProductsForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                std::string programFolder, QWidget* parent = nullptr);
  ~TProductsForm() override;

  void Execute();  // FormShow, then modal

  void Translate(const IniFile& languageFile) override;
  // Section "ProductsWindow" and the layout file "products.col".
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  // Events, public so that tests drive the window as the player does.
  void FormShow();
  void FormClose();
  void ToolButton1Click();  // add (also Ctrl+Insert anywhere in the window)
  void ToolButton2Click();  // delete the current product
  void UpdateButtonState();

  QtDataGrid& Grid() const { return *dbGrid1_; }
  QToolButton& DeleteButton() const { return *toolButton2_; }

  void done(int result) override;

 private:
  // The designed width, or what the designed columns need when more.
  int FirstRunWidth() const;
  TDataModule1& store_;
  Dialogs& dialogs_;
  const TMainTexts& mainTexts_;
  std::string programFolder_;
  std::unique_ptr<QtColumnLayoutFile> layout_;

  QToolButton* toolButton1_ = nullptr;
  QToolButton* toolButton2_ = nullptr;
  QtDataGrid* dbGrid1_ = nullptr;
  QPushButton* button1_ = nullptr;
};

}  // namespace qv
