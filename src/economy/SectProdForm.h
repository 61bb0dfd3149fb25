#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "settings/ProgramWindow.h"

class QCheckBox;
class QLabel;
class QTableWidget;

namespace qv {

class IniFile;
class TDataModule1;
struct TSectorProducts;

// The products-in-sector tool window "Sector products": for the sector the
// main window selects, every product made, needed or traded there with its
// trader, producer and consumer counts and, with "Rates", the units per hour
// made and needed. It stays on top of the map; the main window shows, fills
// and hides it.
class TSectProdForm : public QWidget, public TProgramWindow {
  Q_OBJECT

 public:
  static constexpr int kColumns = 6;

  explicit TSectProdForm(TDataModule1& store, QWidget* parent = nullptr);
  ~TSectProdForm() override;

  // Fills the window for the sector at (x, y); a position without a sector
  // shows the empty list and becomes (-1, -1).
  void ShowSector(int x, int y);
  // The empty list for no selection: every position, (-1, -1) included, may
  // hold a sector, so "none" is not a position.
  void ShowNoSector();
  // The empty list: no sector name, one empty row, the grid disabled.
  void ClearGrid();
  // Keeps the widths of the columns shown (the rate columns only while
  // shown) for the next fill and for the settings.
  void SaveColumnWidths();

  void Translate(const IniFile& languageFile) override;
  // Section "SectorProdWindow": placement, the six column widths, "Rates".
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  int ShownX() const { return shownX_; }
  int ShownY() const { return shownY_; }
  const std::array<int, kColumns>& ColumnWidths() const { return widths_; }
  QTableWidget* Grid() const { return grid_; }
  QCheckBox* RatesBox() const { return checkBox1_; }
  QString SectorName() const;

 signals:
  // The player closed the window.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool Rates() const;
  void Show(const TSectorProducts& list, int x, int y);
  void ApplyColumns();
  void CheckBox1Click();

  TDataModule1& store_;
  bool sectorShown_ = false;
  int shownX_ = -1;
  int shownY_ = -1;
  std::array<int, kColumns> widths_{130, 15, 20, 20, 55, 55};
  std::array<std::string, kColumns> titles_{"Product", "T", "P", "N", "Prod", "Cons"};
  // Tool tips of the column titles: the one-letter titles need them.
  std::array<std::string, kColumns> titleHints_{"Product type",
                                                "Traders dealing in it",
                                                "Factory recipes making it",
                                                "Factory recipes needing it",
                                                "Units made per hour",
                                                "Units needed per hour"};
  bool filling_ = false;  // the window itself sets the columns

  QLabel* label1_ = nullptr;
  QCheckBox* checkBox1_ = nullptr;
  QTableWidget* grid_ = nullptr;  // StringGrid1
};

}  // namespace qv
