// The commands of the main window that act on the map itself.
#include <QAction>
#include <QMessageBox>
#include <QProgressDialog>
#include <QToolButton>
#include <cstdint>
#include <memory>
#include <optional>

#include "app/MainForm.h"
#include "app/QtAboutBox.h"
#include "data/StoreOperations.h"
#include "editors/SectorCommands.h"
#include "map/BmpFile.h"
#include "map/MapImageFormat.h"
#include "map/MapRenderer.h"
#include "map/QtMapExport.h"
#include "map/QtMapImage.h"
#include "settings/Dialogs.h"

namespace qv {

// ---- Commands ----

void TMainForm::ToolButton2Click() {
  if (!geometry_.HasSelection()) return;
  const int x = geometry_.SelX();
  const int y = geometry_.SelY();
  const std::optional<std::string> name = SectorNameAt(store_, x, y);
  if (!name) return;
  if (!dialogs_.AskYesNo(FormatText(texts_.DeleteSectorMsg, {*name}), texts_.DeleteCap)) return;
  DeleteSectorAt(store_, x, y);
}

void TMainForm::Revealallsectors1Click() {
  if (!dialogs_.AskYesNo(texts_.RevealAllMsg, texts_.RevealAllCap)) return;
  RevealAllSectors(store_);
}

void TMainForm::RevealDirection(int dx, int dy) {
  if (!geometry_.HasSelection()) return;
  RevealSectorAt(store_, geometry_.SelX() + dx, geometry_.SelY() + dy);
}

void TMainForm::North1Click() {
  RevealDirection(0, -1);
}
void TMainForm::South1Click() {
  RevealDirection(0, 1);
}
void TMainForm::West1Click() {
  RevealDirection(-1, 0);
}
void TMainForm::East1Click() {
  RevealDirection(1, 0);
}

void TMainForm::SavemapasBMP1Click() {
  const int width = geometry_.SurfaceWidth();
  const int height = geometry_.SurfaceHeight();
  if (width <= 0 || height <= 0) {
    dialogs_.ShowMessage(
        FormatText(texts_.BmpErrorMsg, {std::int64_t{width}, std::int64_t{height}}), "Fatal error",
        MessageIcon::Error);
    return;
  }
  const std::optional<std::string> path =
      dialogs_.AskSaveFileName(saveFolder_, texts_.MapImageFilter, "bmp");
  if (!path) return;
  const std::optional<MapImageFormat> format = MapImageFormatOf(*path);
  if (!format) {
    dialogs_.ShowMessage(texts_.MapFormatMsg, "Error", MessageIcon::Error);
    return;
  }
  if (*format == MapImageFormat::Bmp) {
    // Told before anything is drawn: no zoom of this map fits the format.
    if (!BmpFileWriter::Fits(width, height)) {
      dialogs_.ShowMessage(MapImageSizeText(texts_.BmpTooLargeMsg, width, height), "Error",
                           MessageIcon::Error);
      return;
    }
    constexpr std::uint64_t kLargeFile = 256ULL << 20;
    if (BmpFileWriter::FileSize(width, height) > kLargeFile &&
        !dialogs_.AskYesNo(MapImageSizeText(texts_.BmpLargeMsg, width, height), texts_.BmpSaveCap))
      return;
  }
  BusyGuard busy(busy_);
  QProgressDialog& progress = *bmpProgress_;
  progress.setWindowTitle(QString::fromStdString(texts_.BmpSaveCap));
  progress.setLabelText(QString::fromStdString(texts_.BmpProgressMsg));
  progress.setCancelButtonText(QString::fromStdString(texts_.BmpCancelBtn));
  progress.setRange(0, height);
  progress.setValue(0);
  // Once the dialog shows, its Cancel button is heard between two bands.
  const std::string error =
      SaveMapImage(DrawContext(), width, height, *path, *format, [&progress](int done, int) {
        progress.setValue(done);
        return !progress.wasCanceled();
      });
  progress.reset();
  if (!error.empty())
    dialogs_.ShowMessage(FormatText(texts_.BmpWriteErrorMsg, {*path}), "Error", MessageIcon::Error);
}

void TMainForm::About1Click() {
  const std::unique_ptr<QMessageBox> box =
      MakeAboutBox(texts_, programFolder_, SettingsFileName(programFolder_), this);
  box->exec();
}

void TMainForm::Calculatestatistics1Click() {
  if (!RunRequestDialog()) {
    // Cancel keeps the request, but the bar settings change either way.
    Repaint();
    return;
  }
  RecalculateStatistics();
  settings_.Map.ShowStatistics = true;
  SetSwitch("Showstatistics1", "ToolButton13", true);
  Repaint();
  if (LegendVisible()) TurnLegendPage(true);
}

void TMainForm::SetShowStatistics(bool on) {
  if (on && request_.Count == 0) {
    // Nothing to show yet: the switch goes on only when the request dialog
    // it opens is processed, and stays off when it is cancelled.
    SetSwitch("Showstatistics1", "ToolButton13", settings_.Map.ShowStatistics);
    Calculatestatistics1Click();
    return;
  }
  settings_.Map.ShowStatistics = on;
  SetSwitch("Showstatistics1", "ToolButton13", on);
  // Edits since the last run would show stale figures.
  if (on && store_.DataChanged()) RecalculateStatistics();
  Repaint();
  if (LegendVisible()) TurnLegendPage(on);
}

void TMainForm::Showstatistics1Click() {
  SetShowStatistics(!settings_.Map.ShowStatistics);
}

void TMainForm::Showraces1Click() {
  Action("Showraces1")->trigger();
}
void TMainForm::Showsuns1Click() {
  Action("Showsuns1")->trigger();
}
void TMainForm::Showdocks1Click() {
  Action("Showdocks1")->trigger();
}
void TMainForm::Showshipyards1Click() {
  Action("Showshipyards1")->trigger();
}
void TMainForm::Showpiratebases1Click() {
  Action("Showpiratebases1")->trigger();
}
void TMainForm::Showinvisiblesectors1Click() {
  Action("Showinvisiblesectors1")->trigger();
}
void TMainForm::Showlegend1Click() {
  Action("Showlegend1")->trigger();
}

void TMainForm::ToolButton19Click() {
  ToolWindowSwitched("Showlegend1", "ToolButton19", &TMainForm::ShowLegendWindow,
                     Button("ToolButton19")->defaultAction()->isChecked());
}

void TMainForm::LegendClosed() {
  SetSwitch("Showlegend1", "ToolButton19", false);
}

void TMainForm::Productsinsector1Click() {
  Action("Productsinsector1")->trigger();
}

void TMainForm::ToolButton9Click() {
  ToolWindowSwitched("Productsinsector1", "ToolButton9", &TMainForm::ShowProductsWindow,
                     Button("ToolButton9")->defaultAction()->isChecked());
}

void TMainForm::ProductsWindowClosed() {
  SetSwitch("Productsinsector1", "ToolButton9", false);
}

void TMainForm::Zoomin1Click() {
  if (const auto text = geometry_.ZoomIn()) SetZoom(*text);
}

void TMainForm::Zoomout1Click() {
  if (const auto text = geometry_.ZoomOut()) SetZoom(*text);
}

void TMainForm::Preferences1Click() {
  settings_.Map.Zoom = geometry_.Zoom();
  if (!RunPrefDialog()) return;
  settings_.Map.Zoom = geometry_.Zoom();
  ApplyGeometrySettings();
  // New sizes or spacings change the surface, not only its pixels.
  RefreshBounds();
  Repaint();
}

}  // namespace qv
