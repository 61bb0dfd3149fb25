#include "economy/QtProductFrame.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "data/DataModule1.h"
#include "data/TextUtil.h"
#include "economy/ComplexModel.h"
#include "economy/ProductPanelOwnerForm.h"
#include "settings/QtFormParts.h"
#include "widgets/QtUpDown.h"

namespace qv {

namespace {

// Adds the frames to `parent`, stacked at the top in creation order.
ProductFrames StackFrames(QWidget* parent, TProductPanelOwnerForm* owner,
                          const std::vector<TFrameData>& data, double cycle,
                          const TStoreTexts& texts) {
  auto* layout = qobject_cast<QVBoxLayout*>(parent->layout());
  if (!layout) {
    layout = new QVBoxLayout(parent);
    layout->setAlignment(Qt::AlignTop);
  }
  ProductFrames frames;
  for (const TFrameData& item : data) {
    auto frame = std::make_unique<TProductFrame>(owner, parent);
    frame->setObjectName(QString("Fr%1").arg(frames.size() + 1));
    frame->SetupFrame(item, true, cycle, texts);
    frame->SetPrice(item.price);
    layout->addWidget(frame.get());
    frames.push_back(std::move(frame));
  }
  return frames;
}

}  // namespace

TProductFrame::TProductFrame(TProductPanelOwnerForm* owner, QWidget* parent)
    : QFrame(parent),
      owner_(owner),
      label1_(MakeBoldLabel("Label1", "")),
      label4_(MakeBoldLabel("Label4", "")),
      trackBar1_(Named(new QSlider(Qt::Horizontal), "TrackBar1")),
      label2_(Named(new QLabel("0"), "Label2")),
      label3_(Named(new QLabel("0"), "Label3")),
      edit1_(Named(new QLineEdit("0"), "Edit1")),
      upDown1_(Named(new QtUpDown, "UpDown1")),
      button1_(Named(new QPushButton("Avg"), "Button1")) {
  // The frame's texts come from the store, not from the window's section.
  setProperty("translationScope", true);
  setFrameShape(QFrame::StyledPanel);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  label4_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QLabel* end : {label2_, label3_}) {
    end->setCursor(Qt::PointingHandCursor);
    end->installEventFilter(this);
  }
  trackBar1_->setTickPosition(QSlider::TicksBelow);
  trackBar1_->setPageStep(10);
  edit1_->setMaximumWidth(110);
  edit1_->installEventFilter(this);
  button1_->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);
  grid->addWidget(label1_, 0, 0, 1, 2);
  grid->addWidget(label4_, 0, 2, 1, 2);
  grid->addWidget(trackBar1_, 1, 0, 1, 4);
  grid->addWidget(label2_, 2, 0);
  grid->addWidget(label3_, 2, 1, 1, 3);
  auto* priceRow = new QHBoxLayout;
  priceRow->addWidget(edit1_);
  priceRow->addWidget(upDown1_);
  priceRow->addStretch(1);
  priceRow->addWidget(button1_);
  grid->addLayout(priceRow, 3, 0, 1, 4);
  grid->setColumnStretch(1, 1);

  connect(trackBar1_, &QSlider::valueChanged, this, &TProductFrame::TrackBar1Change);
  connect(edit1_, &QLineEdit::textChanged, this, &TProductFrame::Edit1Change);
  connect(button1_, &QPushButton::clicked, this, &TProductFrame::Button1Click);
  connect(upDown1_, &QtUpDown::clicked, this, &TProductFrame::UpDown1Click);
}

void TProductFrame::SetupFrame(const TFrameData& data, bool showRate, double cycle,
                               const TStoreTexts& texts) {
  busy_ = true;
  isProduct_ = data.isProduct;
  label1_->setText(QString::fromStdString(FrameLabelText(data.isProduct, data.name, texts)));
  button1_->setText(QString::fromStdString(texts.FrameAvgButton));
  unitsText_ = texts.FrameUnitsHour;
  range_ = FramePriceRange(data.minimum, data.maximum, data.average);
  productId_ = data.productId;
  quantity_ = data.quantity;
  price_ = range_.average;
  trackBar1_->setRange(0, range_.Span());
  upDown1_->SetRange(0, range_.Span());
  trackBar1_->setValue(range_.Position(price_));
  upDown1_->SetPosition(range_.Position(price_));
  edit1_->setText(QString::number(price_));
  label2_->setText(QString::number(range_.minimum));
  label3_->setText(QString::number(range_.highest));
  trackBar1_->setTickInterval(std::max(range_.TickInterval(), 1));
  if (showRate) ShowRate(cycle);
  label4_->setVisible(showRate);
  busy_ = false;
}

void TProductFrame::SetPrice(int value) {
  busy_ = true;
  trackBar1_->setValue(range_.Position(value));
  upDown1_->SetPosition(range_.Position(value));
  // Rewriting the same text would move the player's cursor to the end.
  const QString text = QString::number(value);
  if (edit1_->text() != text) edit1_->setText(text);
  price_ = value;
  busy_ = false;
}

void TProductFrame::ShowRate(double cycle) {
  label4_->setText(QString::fromStdString(FrameRateText(quantity_, cycle, unitsText_)));
}

void TProductFrame::PlayerSetPrice(long long value) {
  if (busy_) return;
  SetPrice(static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max())));
  if (owner_) owner_->ProductChanged(this);
}

void TProductFrame::TrackBar1Change(int position) {
  PlayerSetPrice(static_cast<long long>(position) + range_.minimum);
}

void TProductFrame::Edit1Change() {
  PlayerSetPrice(LeadingInteger(edit1_->text().toStdString()));
}

void TProductFrame::Button1Click() {
  PlayerSetPrice(range_.average);
}

void TProductFrame::Label2Click() {
  PlayerSetPrice(range_.minimum);
}

void TProductFrame::Label3Click() {
  PlayerSetPrice(range_.highest);
}

void TProductFrame::UpDown1Click(bool up) {
  PlayerSetPrice(static_cast<long long>(price_) + (up ? 1 : -1));
}

bool TProductFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == label2_) Label2Click();
    if (watched == label3_) Label3Click();
  } else if (watched == edit1_ && event->type() == QEvent::KeyPress) {
    // The arrows' keys: Up and Down in the price box step the price.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      UpDown1Click(key == Qt::Key_Up);
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

ProductFrames CreateProductFrames(QWidget* parent, TProductPanelOwnerForm* owner,
                                  TDataModule1& store, int factoryTypeId, double cycle) {
  return StackFrames(parent, owner, RecipeFrames(store, factoryTypeId), cycle, store.Texts());
}

ProductFrames CreateFactoryFrames(TFactory& factory, QWidget* parent, TProductPanelOwnerForm* owner,
                                  int powerCycle, const TStoreTexts& texts) {
  factory.ComputeCycle(powerCycle);
  return StackFrames(parent, owner, FactoryFrames(factory), factory.Cycle, texts);
}

TFramePanel MakeFramePanel() {
  auto* frameList = new QWidget;
  auto* frameLayout = new QVBoxLayout(frameList);
  frameLayout->setAlignment(Qt::AlignTop);
  frameLayout->setContentsMargins(2, 2, 2, 2);
  auto* scrollBox = Named(new QScrollArea, "ScrollBox1");
  scrollBox->setWidgetResizable(true);
  scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBox->setWidget(frameList);
  return {scrollBox, frameList};
}

}  // namespace qv
