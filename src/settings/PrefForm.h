#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "settings/Color.h"
#include "settings/FontParams.h"
#include "settings/ProgramWindow.h"
#include "settings/Settings.h"

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QSpinBox;

namespace qv {

class Dialogs;
class IniFile;
struct TMainWindowSettings;
struct TMapSettings;
struct TRequestSettings;

// The preferences dialog: the map's geometry, colours, statistics bars,
// station marks and fonts. It works on copies and gives them back only on
// OK; it never writes the settings file itself.
class TPrefForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TPrefForm(Dialogs& dialogs, CustomColorList& customColors, QWidget* parent = nullptr);
  ~TPrefForm() override;

  // Shows the dialog modally, centred on the screen, on copies of `map` and
  // `request`; true, and the settings changed, only when closed with OK.
  bool Execute(TMapSettings& map, TRequestSettings& request);

  void Translate(const IniFile& languageFile) override;

 private:
  // The colours in the order the dialog loads them.
  enum ColorSlot {
    kBorder,
    kGateLine,
    kBackground,
    kKessar,
    kLumari,
    kVossk,
    kOrthane,
    kDrakh,
    kPirates,
    kZhurr,
    kNoRace,
    kRoute,
    kColorCount
  };
  enum FontSlot { kSectorNameFont, kNumbersFont, kSunFont, kStationsFont, kFontCount };
  // The six number fields in the order of their up-downs.
  enum NumberSlot {
    kSectorSize,
    kSectorDx,
    kSectorDy,
    kBorderDx,
    kBorderDy,
    kBarWidth,
    kNumberCount
  };
  // The six switches.
  enum SwitchSlot {
    kVerticalBars,
    kShowNumbers,
    kNumbersOnly,
    kDocksAsLetter,
    kShipyardsAsLetter,
    kPirateBasesAsLetter,
    kSwitchCount
  };

  // One builder per group box; BuildControls puts them in place. Each adds
  // its controls to the keyboard order.
  void BuildControls();
  void MakeSharedControls();
  QPushButton* MakeFontButton(const char* name, const char* text, int slot);
  QGroupBox* BuildMapBox(std::vector<QWidget*>& order);
  QGroupBox* BuildRacesBox(std::vector<QWidget*>& order);
  QGroupBox* BuildStatisticsBox(std::vector<QWidget*>& order);
  QGroupBox* BuildMiscBox(std::vector<QWidget*>& order);
  QHBoxLayout* BuildButtons(std::vector<QWidget*>& order);
  void FitSize();
  void FormShow(const TMainWindowSettings& values);
  void CopyOut(TMainWindowSettings& values) const;
  void ColorButtonClick(int slot);
  void FontButtonClick(int slot);
  void Button1Click();

  Dialogs& dialogs_;
  CustomColorList& customColors_;
  TMapSettings* map_ = nullptr;
  TRequestSettings* request_ = nullptr;

  std::array<TColor, kColorCount> colors_{};
  std::array<TFontParams, kFontCount> fonts_{};
  std::array<QPushButton*, kColorCount> colorButtons_{};
  std::array<QSpinBox*, kNumberCount> numbers_{};
  std::array<QCheckBox*, kSwitchCount> switches_{};
};

}  // namespace qv
