#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "editors/SectorPlacement.h"
#include "settings/ProgramWindow.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class BusyCursor;
class Dialogs;
class IniFile;
class QtNumberBox;
class TDataModule1;

// The texts of the dialog a language file may replace (section "SectorPropForm").
struct TSectorPropTexts {
  std::string EditCaption = "Sector Properties";
  std::string NewCaption = "New sector";
  std::string DuplicateText = "Duplicate";
  // Not one of the classic keys: a position beyond the map's range.
  std::string RangeText = "Allowed: %d to %d";
};

// "Sector Properties": adds a sector or edits one. Choosing the neighbour
// behind a gate places the sector beside it, the neighbours of a typed
// position are shown, and a position another sector holds (or one beyond the
// map's range) keeps OK disabled. OK stores the sector and lets the gates of
// its neighbours follow its own.
class TSectorPropForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TSectorPropForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                  QWidget* parent = nullptr);
  ~TSectorPropForm() override;

  // Fills the dialog for a new sector, or for the sector at (x, y); a
  // position without a sector opens a new one.
  void Open(bool newSector, int x, int y);
  // Open, then modal; true when the sector was stored. The position it was
  // stored at is then StoredPosition(). OK on an existing sector whose
  // controls show what they showed when it opened stores nothing: a value
  // that the controls cannot show stays as the table holds it.
  bool Execute(bool newSector, int x, int y);
  TGridPos StoredPosition() const { return stored_; }

  void Translate(const IniFile& languageFile) override;

  // Events, public so that tests drive the dialog as the player does.
  void Button1Click();
  void FormActivate();
  void CheckBox1Click();
  void Edit4Change();
  void Edit4Exit();
  void NeighbourChange(TSide side);   // ComboBox2Change ... ComboBox5Change
  void SpeedButtonClick(int button);  // SpeedButton1Click ... SpeedButton12Click
  void Edit2Change();

  bool EditingExisting() const { return editingExisting_; }
  int NameDx() const { return nameDx_; }
  int NameDy() const { return nameDy_; }
  const TSectorPropTexts& Texts() const { return texts_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One builder per group of controls; BuildControls puts them in place.
  void BuildControls();
  QGridLayout* BuildFieldsGrid();
  QGridLayout* BuildGatesGrid();
  QGroupBox* BuildNamePlaceBox();
  void FillNeighbourLists(const std::vector<std::string>& names);
  void UpdateEnabled();
  void RefreshNeighbours();
  void PressNameButton(int button);
  TGridPos TypedPosition() const;
  TSectorValues ValuesFromControls() const;
  void SetPositionEdits(TGridPos pos);

  TDataModule1& store_;
  Dialogs& dialogs_;
  BusyCursor* busy_;
  TSectorPropTexts texts_;
  bool editingExisting_ = false;
  TGridPos opening_;
  int sectorId_ = 0;
  bool ready_ = false;
  int nameDx_ = 0;
  int nameDy_ = -2;
  TGridPos stored_;
  TSectorValues opened_;  // the controls' values right after Open
  bool wrote_ = false;

  QLineEdit* edit1_ = nullptr;                      // name
  QLineEdit* edit4_ = nullptr;                      // X
  QLineEdit* edit5_ = nullptr;                      // Y
  QLabel* label7_ = nullptr;                        // duplicate or range warning
  QComboBox* comboBox1_ = nullptr;                  // race
  QCheckBox* checkBox5_ = nullptr;                  // visible
  QtNumberBox* suns_ = nullptr;                     // UpDown1 with Edit3
  QtNumberBox* cycle_ = nullptr;                    // UpDown2 with Edit2: the solar cycle
  QLabel* label9_ = nullptr;                        // cycle as minutes and seconds
  std::array<QCheckBox*, 4> gates_{};               // CheckBox1..4, kSides order
  std::array<QComboBox*, 4> neighbours_{};          // ComboBox2..5, kSides order
  std::array<QAbstractButton*, 12> nameButtons_{};  // SpeedButton1..12
  QButtonGroup* nameGroup_ = nullptr;
  QPushButton* button1_ = nullptr;
};

}  // namespace qv
