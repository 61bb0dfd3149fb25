#pragma once

#include <QDialog>
#include <array>

#include "settings/ProgramWindow.h"
#include "settings/Settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;
class QSpinBox;

namespace qv {

class Dialogs;
class IniFile;
class QtLookupComboBox;
class TDataModule1;
struct TFontParams;
struct TRequestData;
struct TRequestSettings;

// The request dialog "Calculate statistics": which products the map shows,
// in which roles and colours, how traders and own factories count, and how
// the bars look. The chosen products live in the AuxRequestData row.
class TRequestForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TRequestForm(TDataModule1& store, Dialogs& dialogs, CustomColorList& customColors,
               QWidget* parent = nullptr);
  ~TRequestForm() override;

  // Shows the dialog modally on `settings`. "Process" stores the settings of
  // the dialog and fills `request` (its maxima left for the statistics run);
  // then the result is true. Colour and font choices are stored at once, and
  // the four bar settings (width, vertical bars, numbers, numbers only) are
  // taken whichever way the dialog closes; `request` changes only on
  // "Process".
  bool Execute(TRequestSettings& settings, TFontParams& reqDigitFont, TRequestData& request);

  void Translate(const IniFile& languageFile) override;

  // Products the request would have: 2 in the simple request, else the slots
  // in use.
  int ProductCount() const;

 private:
  // One builder per group of controls; BuildControls puts them in place.
  void BuildControls();
  QGroupBox* BuildRequestBox();
  QWidget* BuildRatesBox();
  QGroupBox* BuildTradersBox();
  QGroupBox* BuildSimpleBox();
  QGroupBox* BuildCustomBox();
  QGroupBox* BuildBarsBox();
  QGroupBox* BuildNumbersBox();
  QHBoxLayout* BuildButtons();
  void ConnectControls();
  void SetKeyboardOrder();
  void CopySharedTexts();
  void FormShow();
  void UpdateControls();
  void UpdateTraderStates();
  void ColorButtonClick(int button);
  void Button3Click();
  void DBLookupComboBox8Click();
  void Button1Click();
  void FormClose();

  TDataModule1& store_;
  Dialogs& dialogs_;
  CustomColorList& customColors_;

  // What Execute works on while the dialog is open.
  TRequestSettings* settings_ = nullptr;
  TFontParams* reqDigitFont_ = nullptr;
  TRequestData* request_ = nullptr;
  bool busy_ = false;  // the dialog itself sets its controls

  QRadioButton* simple_ = nullptr;             // RadioButton5
  QRadioButton* custom_ = nullptr;             // RadioButton6
  QCheckBox* countYour_ = nullptr;             // CheckBox4
  QRadioButton* factories_ = nullptr;          // RadioButton7
  QRadioButton* rates_ = nullptr;              // RadioButton8
  std::array<QRadioButton*, 4> traders_{};     // RadioButton1..4
  QtLookupComboBox* simpleProduct_ = nullptr;  // DBLookupComboBox1
  // BitBtn1 production, BitBtn2 demand, BitBtn3..8 the custom slots.
  std::array<QPushButton*, 8> colorButtons_{};
  QCheckBox* simpleScale_ = nullptr;   // CheckBox5
  std::array<QComboBox*, 6> roles_{};  // ComboBox1..6
  std::array<QLabel*, 6> ofLabels_{};
  std::array<QtLookupComboBox*, 6> slotProducts_{};  // DBLookupComboBox2..7
  QtLookupComboBox* importFactory_ = nullptr;        // DBLookupComboBox8
  QCheckBox* customScale_ = nullptr;                 // CheckBox6
  QSpinBox* barWidth_ = nullptr;                     // UpDown1 (its text box is Edit1)
  QCheckBox* verticalBars_ = nullptr;                // CheckBox2
  QCheckBox* showNumbers_ = nullptr;                 // CheckBox1
  QPushButton* fontButton_ = nullptr;                // Button3
  QCheckBox* numbersOnly_ = nullptr;                 // CheckBox3
  QPushButton* process_ = nullptr;                   // Button1
  QPushButton* cancel_ = nullptr;                    // Button2
};

}  // namespace qv
