#include "map/LegendForm.h"

#include <QCloseEvent>
#include <QDynamicPropertyChangeEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QVariant>
#include <cmath>
#include <cstdio>

#include "data/IniFile.h"
#include "map/QtShape.h"
#include "settings/LanguageFile.h"
#include "settings/MainWindowSettings.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

constexpr int kDesignedWidth = 225;
constexpr int kDesignedHeight = 280;
constexpr int kSwatchWidth = 24;
constexpr int kSwatchHeight = 14;
constexpr int kSectorSide = 24;  // the sector squares behind the station marks

QLabel* MakeLabel(QWidget& parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), &parent);
  label->setObjectName(name);
  return label;
}

QtShape* MakeSwatch(QWidget& parent, const char* name,
                    QtShape::Kind kind = QtShape::Kind::Rectangle) {
  auto* shape = new QtShape(kind, &parent);
  shape->setObjectName(name);
  shape->setFixedSize(kSwatchWidth, kSwatchHeight);
  return shape;
}

// The whole-number text of a count or rate: trunc(v), any size.
std::string WholeText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.0f", std::trunc(value));
  return buffer;
}

}  // namespace

TLegendForm::TLegendForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("LegendForm");
  setWindowTitle("Legend");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  layout->addWidget(pages_);

  auto* general = new QWidget;
  general->setObjectName("GeneralSheet");
  pages_->addTab(general, "General");
  BuildGeneralPage(*general);

  auto* statistics = new QWidget;
  statistics->setObjectName("StatSheet");
  pages_->addTab(statistics, "Statistics");
  BuildStatisticsPage(*statistics);

  resize(kDesignedWidth, kDesignedHeight);
  UpdateStatisticsPage();
}

TLegendForm::~TLegendForm() = default;

QFrame* TLegendForm::MakePanel(QWidget& sheet, const char* name) {
  auto* sheetLayout = new QVBoxLayout(&sheet);
  sheetLayout->setContentsMargins(0, 0, 0, 0);
  auto* panel = new QFrame(&sheet);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setAutoFillBackground(true);
  panel->installEventFilter(this);
  sheetLayout->addWidget(panel);
  return panel;
}

void TLegendForm::BuildGeneralPage(QWidget& sheet) {
  panel1_ = MakePanel(sheet, "Panel1");
  auto* grid = new QGridLayout(panel1_);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);

  panel1Caption_ = new QLabel(panel1_);
  panel1Caption_->setAlignment(Qt::AlignCenter);
  panel1Caption_->hide();
  grid->addWidget(panel1Caption_, 0, 0, 1, 4);

  // Races in two columns of four, as compact as the window is small.
  static const char* const kRaceLabels[8][2] = {
      {"Label4", "Kessar"}, {"Label5", "Lumari"},  {"Label6", "Vossk"},  {"Label7", "Orthane"},
      {"Label8", "Drakh"},  {"Label9", "Pirates"}, {"Label10", "Zhurr"}, {"Label11", "Other"}};
  for (int i = 0; i < 8; ++i) {
    const std::string shapeName = "Shape" + std::to_string(i + 1);
    raceShapes_[i] = MakeSwatch(*panel1_, shapeName.c_str());
    QLabel* label = MakeLabel(*panel1_, kRaceLabels[i][0], kRaceLabels[i][1]);
    const int row = 1 + i % 4;
    const int column = 2 * (i / 4);
    grid->addWidget(raceShapes_[i], row, column);
    grid->addWidget(label, row, column + 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  // Station entries: a sector square with the mark the map draws for it,
  // either the letter or the shape.
  struct Station {
    const char* squareName;
    const char* labelName;
    const char* labelText;
    const char* letterName;
    const char* letter;
    const char* markName;
    QtShape::Kind markKind;
    bool markFilled;
    int inset;
  };
  const int d = kSectorSide / 6;
  const Station stations[3] = {
      {"Shape9", "Label1", "Equipment dock", "Label13", "D", "Shape12", QtShape::Kind::Square,
       false, d},
      {"Shape10", "Label2", "Shipyard", "Label12", "Y", "Shape13", QtShape::Kind::Square, true,
       2 * d},
      {"Shape11", "Label3", "Pirate base", "Label14", "P", "Shape14", QtShape::Kind::Ellipse, false,
       2 * d},
  };
  QLabel** letters[3] = {&dockLetter_, &shipyardLetter_, &pirateLetter_};
  QtShape** marks[3] = {&dockMark_, &shipyardMark_, &pirateMark_};
  for (int i = 0; i < 3; ++i) {
    const Station& s = stations[i];
    auto* square = new QtShape(QtShape::Kind::Rectangle, panel1_);
    square->setObjectName(s.squareName);
    square->setFixedSize(kSectorSide, kSectorSide);
    square->installEventFilter(this);

    QLabel* letter = MakeLabel(*square, s.letterName, s.letter);
    QFont bold = letter->font();
    bold.setBold(true);
    letter->setFont(bold);
    letter->setAlignment(Qt::AlignCenter);
    letter->setGeometry(0, 0, kSectorSide, kSectorSide);
    letter->setStyleSheet("color: black");  // on the white square whatever the theme
    letter->installEventFilter(this);
    *letters[i] = letter;

    auto* mark = new QtShape(s.markKind, square);
    mark->setObjectName(s.markName);
    mark->SetBrushClear(!s.markFilled);
    mark->SetBrushColor(0x000000);
    mark->setGeometry(s.inset, s.inset, kSectorSide - 2 * s.inset + 1,
                      kSectorSide - 2 * s.inset + 1);
    mark->installEventFilter(this);
    *marks[i] = mark;

    QLabel* label = MakeLabel(*panel1_, s.labelName, s.labelText);
    const int row = 6 + i;
    grid->addWidget(square, row, 0);
    grid->addWidget(label, row, 1, 1, 3);
  }
  grid->setRowMinimumHeight(5, 4);
  grid->setRowStretch(9, 1);
  WatchDoubleClicks(*panel1_);
}

void TLegendForm::BuildStatisticsPage(QWidget& sheet) {
  panel2_ = MakePanel(sheet, "Panel2");
  auto* grid = new QGridLayout(panel2_);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);

  // The caption ("N/A") stands in the middle of the page, over the rows that
  // are hidden while it shows.
  panel2Caption_ = new QLabel(panel2_);
  panel2Caption_->setObjectName("Panel2Caption");
  panel2Caption_->setAlignment(Qt::AlignCenter);
  panel2Caption_->setWordWrap(true);
  panel2Caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  grid->addWidget(panel2Caption_, 0, 0, 9, 2);

  heading_ = MakeLabel(*panel2_, "Label21", "Number of factories");
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  heading_->setAlignment(Qt::AlignCenter);
  heading_->setWordWrap(true);
  grid->addWidget(heading_, 1, 0, 1, 2);

  for (int i = 0; i < TRequestData::kMaxProducts; ++i) {
    const std::string shapeName = "Shape" + std::to_string(15 + i);
    const std::string labelName = "Label" + std::to_string(15 + i);
    productShapes_[i] = MakeSwatch(*panel2_, shapeName.c_str());
    productLabels_[i] = MakeLabel(*panel2_, labelName.c_str(), "");
    productLabels_[i]->setWordWrap(true);
    productLabels_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(productShapes_[i], 2 + i, 0, Qt::AlignTop);
    grid->addWidget(productLabels_[i], 2 + i, 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(8, 1);
  WatchDoubleClicks(*panel2_);
}

void TLegendForm::WatchDoubleClicks(QWidget& panel) {
  for (QLabel* label : panel.findChildren<QLabel*>())
    label->installEventFilter(this);
  for (QtShape* shape : panel.findChildren<QtShape*>())
    shape->installEventFilter(this);
}

bool TLegendForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    emit preferencesRequested();
    return true;
  }
  // A language file gives a panel its caption through the "caption" property.
  if (event->type() == QEvent::DynamicPropertyChange) {
    auto* change = static_cast<QDynamicPropertyChangeEvent*>(event);
    if (change->propertyName() == "caption") {
      if (watched == panel1_) ShowPanelCaption(*panel1_);
      if (watched == panel2_) ShowPanelCaption(*panel2_);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TLegendForm::ShowPanelCaption(QFrame& panel) {
  QLabel* shown = &panel == panel1_ ? panel1Caption_ : panel2Caption_;
  const QString caption = panel.property("caption").toString();
  shown->setText(caption);
  shown->setVisible(!caption.isEmpty());
}

void TLegendForm::SetPanelCaption(QFrame& panel, const std::string& caption) {
  panel.setProperty("caption", QString::fromStdString(caption));
  ShowPanelCaption(panel);
}

void TLegendForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

std::string TLegendForm::ProductLegendText(const TRequestData& request, int i, double v,
                                           const TLegendTexts& texts) {
  if (i < 0 || i >= request.UsedCount()) return {};
  std::string text = request.ProductName[i] + " - " +
                     (request.Operation[i] == 1 ? texts.ConsLegend : texts.ProdLegend);
  if (v >= 0) text += " (" + WholeText(v) + "/" + WholeText(request.Max[i]) + ")";
  return text;
}

void TLegendForm::UpdateLegend(const TMapSettings& map, const TRequestData& request,
                               const double* cell, bool showStatistics, bool showRates) {
  const TColor raceColors[8] = {map.KessarColor, map.LumariColor,  map.VosskColor, map.OrthaneColor,
                                map.DrakhColor,  map.PiratesColor, map.ZhurrColor, map.NoRaceColor};
  for (int i = 0; i < 8; ++i)
    raceShapes_[i]->SetBrushColor(raceColors[i]);

  dockLetter_->setVisible(map.DocksAsLetter);
  dockMark_->setVisible(!map.DocksAsLetter);
  shipyardLetter_->setVisible(map.ShipyardsAsLetter);
  shipyardMark_->setVisible(!map.ShipyardsAsLetter);
  pirateLetter_->setVisible(map.PirateBasesAsLetter);
  pirateMark_->setVisible(!map.PirateBasesAsLetter);

  request_ = request;
  cell_.reset();
  if (cell) {
    cell_.emplace();
    for (int i = 0; i < TRequestData::kMaxProducts; ++i)
      (*cell_)[i] = cell[i];
  }
  showStatistics_ = showStatistics;
  showRates_ = showRates;
  UpdateStatisticsPage();
}

void TLegendForm::UpdateStatisticsPage() {
  // Statistics of no product are all 0: the page says why instead of
  // listing nameless rows.
  const bool listed = showStatistics_ && !request_.ChoosesNoProduct();
  SetPanelCaption(*panel2_, !showStatistics_ ? texts_.NAText
                            : listed         ? std::string()
                                             : texts_.NoProductText);
  const int n = request_.UsedCount();
  for (int i = 0; i < TRequestData::kMaxProducts; ++i) {
    const bool visible = listed && i < n;
    productShapes_[i]->setVisible(visible);
    productShapes_[i]->SetBrushColor(request_.Color[i]);

    const double v = cell_ ? (*cell_)[i] : -1.0;
    const QString text = QString::fromStdString(ProductLegendText(request_, i, v, texts_));
    QLabel* label = productLabels_[i];
    label->setVisible(visible);
    label->setText(text);
    label->setToolTip(visible ? text : QString());

    QFont font = label->font();
    font.setUnderline(cell_.has_value() && (*cell_)[i] == request_.Max[i]);
    label->setFont(font);
  }
  heading_->setVisible(listed);
  heading_->setText(QString::fromStdString(showRates_ ? texts_.RatesText : texts_.NumberText));
}

void TLegendForm::ShowPage(bool statistics) {
  pages_->setCurrentWidget(statistics ? pages_->widget(1) : pages_->widget(0));
}

void TLegendForm::Translate(const IniFile& languageFile) {
  const std::string section = "LegendForm";
  TranslateWindow(*this, languageFile, section);
  texts_.NAText = ReadText(languageFile, section, "NAText", texts_.NAText);
  texts_.RatesText = ReadText(languageFile, section, "RatesText", texts_.RatesText);
  texts_.NumberText = ReadText(languageFile, section, "NumberText", texts_.NumberText);
  texts_.ProdLegend = ReadText(languageFile, section, "ProdLegend", texts_.ProdLegend);
  texts_.ConsLegend = ReadText(languageFile, section, "ConsLegend", texts_.ConsLegend);
  texts_.NoProductText = ReadText(languageFile, section, "NoProductText", texts_.NoProductText);
  UpdateStatisticsPage();
}

void TLegendForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, "LegendWindow", kDesignedWidth, kDesignedHeight, false,
                      false);
}

void TLegendForm::WriteSettings(IniFile* settings) {
  SaveWindowPlacement(settings, *this, "LegendWindow");
}

}  // namespace qv
