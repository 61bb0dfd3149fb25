#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "map/RequestData.h"
#include "settings/ProgramWindow.h"

class QLabel;
class QTabWidget;
class QFrame;

namespace qv {

class IniFile;
class QtShape;
struct TMapSettings;

// Texts of the legend that a language file may replace (section "LegendForm").
struct TLegendTexts {
  std::string NAText = "N/A";
  std::string RatesText = "Product rates, units/h";
  std::string NumberText = "Number of factories";
  std::string ProdLegend = "prod.";
  std::string ConsLegend = "need";
  // Statistics shown for a request that names no product.
  std::string NoProductText = "no product chosen";
};

// The legend tool window: the race colours and station marks as the map
// draws them, and the products of the current request with their colours
// and the selected sector's values against the maxima. It stays on top of
// the main window, which opens, refreshes and closes it.
class TLegendForm : public QWidget, public TProgramWindow {
  Q_OBJECT

 public:
  explicit TLegendForm(QWidget* parent = nullptr);
  ~TLegendForm() override;

  // Refreshes both pages. `cell` is the statistics cell of the selected
  // sector (six values), nullptr when there is none.
  void UpdateLegend(const TMapSettings& map, const TRequestData& request, const double* cell,
                    bool showStatistics, bool showRates);
  // Turns to the statistics page or to the general page.
  void ShowPage(bool statistics);

  void Translate(const IniFile& languageFile) override;
  const TLegendTexts& Texts() const { return texts_; }

  // Placement under "LegendWindow"; by default the designed size against the
  // right and bottom edges of the work area. Nothing happens without settings.
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  // The text of product row i (0..5) for a value v (-1 when no sector is
  // selected): "Ore - need (3/7)".
  static std::string ProductLegendText(const TRequestData& request, int i, double v,
                                       const TLegendTexts& texts);

 signals:
  // The player closed the legend.
  void closed();
  // A double click on a page asks for the preferences.
  void preferencesRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildGeneralPage(QWidget& sheet);
  void BuildStatisticsPage(QWidget& sheet);
  QFrame* MakePanel(QWidget& sheet, const char* name);
  void WatchDoubleClicks(QWidget& widget);
  void ShowPanelCaption(QFrame& panel);
  void SetPanelCaption(QFrame& panel, const std::string& caption);
  void UpdateStatisticsPage();

  TLegendTexts texts_;
  QTabWidget* pages_ = nullptr;
  QFrame* panel1_ = nullptr;
  QFrame* panel2_ = nullptr;
  QLabel* panel1Caption_ = nullptr;
  QLabel* panel2Caption_ = nullptr;
  std::array<QtShape*, 8> raceShapes_{};
  QLabel* dockLetter_ = nullptr;      // Label13
  QLabel* shipyardLetter_ = nullptr;  // Label12
  QLabel* pirateLetter_ = nullptr;    // Label14
  QtShape* dockMark_ = nullptr;       // Shape12
  QtShape* shipyardMark_ = nullptr;   // Shape13
  QtShape* pirateMark_ = nullptr;     // Shape14
  std::array<QtShape*, TRequestData::kMaxProducts> productShapes_{};
  std::array<QLabel*, TRequestData::kMaxProducts> productLabels_{};
  QLabel* heading_ = nullptr;  // Label21

  // What the statistics page last showed, so that a language change can
  // redo its texts.
  TRequestData request_;
  std::optional<std::array<double, TRequestData::kMaxProducts>> cell_;
  bool showStatistics_ = false;
  bool showRates_ = false;
};

}  // namespace qv
