#pragma once

#include <string>

#include "data/StoreCodes.h"
#include "economy/ProductPanelOwnerForm.h"
#include "economy/QtProductFrame.h"
#include "settings/ProgramWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace qv {

class IniFile;
class QtUpDown;
class TDataModule1;

// "Factory profit": what one factory of a chosen type earns per unit and per
// hour at the prices the player sets on its product frames. The window lives
// from start to exit, so the chosen type and its prices survive between
// openings.
class TFactSimpleCalcForm : public TProductPanelOwnerForm, public TProgramWindow {
  Q_OBJECT

 public:
  explicit TFactSimpleCalcForm(TDataModule1& store, QWidget* parent = nullptr);
  ~TFactSimpleCalcForm() override;

  void Execute();  // FormShow, then modal
  void Translate(const IniFile& languageFile) override;
  void ReadSettings(const IniFile* settings) override;  // the placement
  void WriteSettings(IniFile* settings) override;

  void ProductChanged(TProductFrame* frame) override;
  double CycleSeconds() const;
  void Recalculate();

  // Events, public so that tests drive the window as the player does.
  void FormShow();
  void ComboBox1Change();
  void ComboBox2Change();
  void Edit1Change();
  void UpDown1Click();

  const ProductFrames& Frames() const { return frames_; }
  // The two captions of the yield or cycle box, as translated.
  const std::string& CycleText() const { return CycleCaption; }
  const std::string& YieldText() const { return YieldCaption; }

 private:
  void BuildControls();
  void UpdateCycleControls();
  void ClearResults();
  void SetCycleHints(bool on);

  TDataModule1& store_;
  std::string FactoryName;
  int CalcTime = -1;
  Special SpecialKind = Special::None;
  std::string CycleCaption = "Cycle:";
  std::string YieldCaption = "Yield:";
  ProductFrames frames_;

  QLabel* label1_ = nullptr;
  QComboBox* comboBox1_ = nullptr;  // factory types
  QLabel* label7_ = nullptr;        // yield or cycle caption
  QLineEdit* edit1_ = nullptr;
  QtUpDown* upDown1_ = nullptr;
  QLabel* label8_ = nullptr;
  QComboBox* comboBox2_ = nullptr;  // sectors
  QScrollArea* scrollBox1_ = nullptr;
  QWidget* frameList_ = nullptr;  // the scroll box's content
  QLabel* label3_ = nullptr;      // profit per unit
  QLabel* label5_ = nullptr;      // profit per hour
};

}  // namespace qv
