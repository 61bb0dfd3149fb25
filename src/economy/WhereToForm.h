#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "economy/WhereTo.h"
#include "map/JumpGraph.h"
#include "settings/ProgramWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

namespace qv {

class BusyCursor;
class IniFile;
class TDataModule1;
class WhereToModel;

// The texts of the window that are no captions of its controls.
struct TWhereToTexts {
  std::string FromText = "From %s";
  std::string NoStartText = "No sector selected: no jumps are counted";
  std::string GridHint = "Double click or Enter: the route to the sector";
  std::array<std::string, 3> Roles{"Made by factories", "Needed by factories",
                                   "Traded by stations"};
  std::array<std::string, 4> Titles{"Sector", "Jumps", "Count", "Rate"};
  std::array<std::string, 4> TitleHints{"Sector and its position",
                                        "Jumps on the shortest route from the start, - for none",
                                        "Recipe rows of the sector's factories, or its trader rows",
                                        "Units per hour made, needed, or turned over by trading"};
};

// The "Where to" tool window: for a product and a role (made, needed or
// traded), every sector on the map that has it, nearest first, with its
// jumps from the sector selected on the map, its count and its hourly rate.
// It follows the selection; a double click (or Enter) on a row asks for the
// route to that sector.
class TWhereToForm : public QWidget, public TProgramWindow {
  Q_OBJECT

 public:
  static constexpr int kColumns = 4;

  TWhereToForm(TDataModule1& store, BusyCursor* busy, QWidget* parent = nullptr);
  ~TWhereToForm() override;

  // Searches from the sector the map shows at `selected` (none: no start),
  // with the map's hidden switch and the routes' options.
  void ShowFrom(std::optional<std::pair<int, int>> selected, bool showHidden,
                const TRouteOptions& options);
  // Searches again from the same start, as the tables are now.
  void Refresh();
  // What a double click on the row does.
  void ChooseRow(int row);

  void Translate(const IniFile& languageFile) override;
  // Section "WhereToWindow": placement, the four column widths, the product,
  // the role and "Reachable".
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  QComboBox* ProductBox() const { return comboBox1_; }
  QComboBox* RoleBox() const { return comboBox2_; }
  QCheckBox* ReachableBox() const { return checkBox1_; }
  QTableView* Grid() const { return grid_; }
  QString StartText() const;
  int RowCount() const;
  QString CellText(int row, int column) const;
  const std::array<int, kColumns>& ColumnWidths() const { return widths_; }
  const TWhereToTexts& Texts() const { return texts_; }

 signals:
  // The route from the window's start to the sector of a row, and that
  // sector's position, for the map to show and select; a start of -1 when
  // the window has none (the sector is only selected).
  void routeChosen(int startId, int endId, int x, int y);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillProducts();
  void Search();
  void ApplyTexts();
  void ApplyColumnWidths();

  TDataModule1& store_;
  BusyCursor* busy_;
  TJumpGraph graph_;
  TWhereToTexts texts_;
  std::optional<int> startId_;  // the sector the jumps count from
  bool showHidden_ = false;
  TRouteOptions options_;
  std::uint64_t productsVersion_ = ~std::uint64_t{0};
  int chosenProduct_ = 0;  // kept while the list of products is made again
  std::array<int, kColumns> widths_{170, 45, 45, 60};
  bool filling_ = false;  // the window itself sets its controls

  QLabel* label1_ = nullptr;
  QComboBox* comboBox1_ = nullptr;  // products
  QLabel* label2_ = nullptr;
  QComboBox* comboBox2_ = nullptr;  // roles
  QCheckBox* checkBox1_ = nullptr;  // only reachable
  QLabel* label3_ = nullptr;        // the start
  QTableView* grid_ = nullptr;      // StringGrid1
  WhereToModel* model_ = nullptr;
};

}  // namespace qv
