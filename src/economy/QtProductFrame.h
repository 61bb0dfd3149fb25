#pragma once

#include <QFrame>
#include <memory>
#include <string>
#include <vector>

#include "economy/ProductFrameModel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;

namespace qv {

class QtUpDown;
class TDataModule1;
class TFactory;
class TProductPanelOwnerForm;
struct TStoreTexts;

// One product of a recipe: its name, its rate and its price, which the player
// sets with the track bar, the box, the arrows, the two end labels or "Avg".
// Every change the player makes goes to the owner's ProductChanged; prices
// set by the program (SetPrice) do not.
class TProductFrame : public QFrame {
  Q_OBJECT

 public:
  TProductFrame(TProductPanelOwnerForm* owner, QWidget* parent);

  void SetupFrame(const TFrameData& data, bool showRate, double cycle, const TStoreTexts& texts);
  void SetPrice(int value);
  void ShowRate(double cycle);

  int Price() const { return price_; }
  int Quantity() const { return quantity_; }
  int ProductId() const { return productId_; }
  bool IsProduct() const { return isProduct_; }
  const TPriceRange& Range() const { return range_; }

  // The player's actions.
  void TrackBar1Change(int position);
  void Edit1Change();
  void Button1Click();
  void Label2Click();
  void Label3Click();
  void UpDown1Click(bool up);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlayerSetPrice(long long value);

  TProductPanelOwnerForm* owner_;
  TPriceRange range_;
  bool busy_ = false;
  int price_ = 0;
  int quantity_ = 0;
  int productId_ = -1;
  bool isProduct_ = false;
  std::string unitsText_;

  QLabel* label1_;  // "Product: name"
  QLabel* label4_;  // units per hour
  QSlider* trackBar1_;
  QLabel* label2_;  // minimum, clickable
  QLabel* label3_;  // highest, clickable
  QLineEdit* edit1_;
  QtUpDown* upDown1_;
  QPushButton* button1_;  // "Avg"
};

using ProductFrames = std::vector<std::unique_ptr<TProductFrame>>;

// The frames of a factory type's recipe, added to `parent`'s vertical layout
// one under the other; `cycle` is the cycle for their rates.
ProductFrames CreateProductFrames(QWidget* parent, TProductPanelOwnerForm* owner,
                                  TDataModule1& store, int factoryTypeId, double cycle);
// The frames of a factory of a complex, with the prices held there.
ProductFrames CreateFactoryFrames(TFactory& factory, QWidget* parent, TProductPanelOwnerForm* owner,
                                  int powerCycle, const TStoreTexts& texts);

// The vertical scroll box "ScrollBox1" in which a window stacks its product
// frames from the top; `frameList` is the parent to give the frames.
struct TFramePanel {
  QScrollArea* scrollBox;
  QWidget* frameList;
};
TFramePanel MakeFramePanel();

}  // namespace qv
