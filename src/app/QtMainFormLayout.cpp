// The controls of the main window: actions, menus, tool bar, map view.
#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/MainForm.h"
#include "app/QtMapSurface.h"
#include "editors/QtDropDownRows.h"
#include "widgets/QtToolIcons.h"

namespace qv {

QAction* TMainForm::AddAction(const char* name, const char* caption, void (TMainForm::*handler)(),
                              bool checkable) {
  auto* action = new QAction(QString::fromUtf8(caption), this);
  action->setObjectName(QString::fromLatin1(name));
  action->setCheckable(checkable);
  if (handler) connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  actions_[action->objectName()] = action;
  return action;
}

QToolButton* TMainForm::AddToolButton(const char* name, const char* hint, int icon,
                                      void (TMainForm::*handler)(), bool toggle) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  // The button's own action carries its caption and hint, so that the
  // language file reaches the button apart from the menu item of the command.
  auto* action =
      new QAction(MakeToolIcon(static_cast<ToolIcon>(icon)), QString::fromUtf8(hint), button);
  action->setToolTip(QString::fromUtf8(hint));
  action->setCheckable(toggle);
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  if (handler) connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  buttons_[button->objectName()] = button;
  return button;
}

void TMainForm::CreateActions() {
  // Map
  AddAction("Add1", "Add sector", &TMainForm::Add1Click)->setShortcut(QKeySequence("Ctrl+Ins"));
  AddAction("Delete1", "Delete sector", &TMainForm::ToolButton2Click)
      ->setShortcut(QKeySequence(Qt::Key_Delete));
  AddAction("Properties1", "Sector properties", &TMainForm::Properties1Click)
      ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Return));
  AddAction("Objectsinsector1", "Objects in sector", &TMainForm::Objectsinsector1Click)
      ->setShortcut(QKeySequence(Qt::Key_Return));
  AddAction("Revealsector1", "Reveal sector", &TMainForm::Revealsector1Click);
  AddAction("Revealallsectors1", "Reveal all sectors", &TMainForm::Revealallsectors1Click);
  AddAction("SavemapasBMP1", "Save map as image...", &TMainForm::SavemapasBMP1Click);
  CreateEditActions();
  // Tables
  AddAction("Factorytypes1", "Factory types", &TMainForm::ToolButton6Click)
      ->setShortcut(QKeySequence("Ctrl+F"));
  AddAction("Producttypes1", "Product types", &TMainForm::ToolButton7Click)
      ->setShortcut(QKeySequence("Ctrl+P"));
  AddAction("Directaccess1", "Direct access", &TMainForm::Directaccess1Click);
  // Calculations
  AddAction("Statistics1", "Statistics", &TMainForm::Calculatestatistics1Click)
      ->setShortcut(QKeySequence("Ctrl+C"));
  AddAction("Factoryprofit1", "Factory profit", &TMainForm::Factoryprofit1Click);
  AddAction("Complexprofit1", "Complex profit", &TMainForm::Complexprofit1Click);
  // View: the toggles hear the state they were switched to, below.
  AddAction("Productsinsector1", "Products in sector", nullptr, true)
      ->setShortcut(QKeySequence("Ctrl+I"));
  AddAction("Showlegend1", "Legend", nullptr, true)->setShortcut(QKeySequence("Ctrl+L"));
  AddAction("Showstatistics1", "Show statistics", nullptr, true)
      ->setShortcut(QKeySequence("Ctrl+S"));
  AddAction("Showraces1", "Show races", nullptr, true);
  AddAction("Showsuns1", "Show suns", nullptr, true);
  AddAction("Showdocks1", "Show docks", nullptr, true);
  AddAction("Showshipyards1", "Show shipyards", nullptr, true);
  AddAction("Showpiratebases1", "Show pirate bases", nullptr, true);
  AddAction("Showinvisiblesectors1", "Show invisible sectors", nullptr, true);
  AddAction("Zoomin1", "Zoom in", &TMainForm::Zoomin1Click)
      ->setShortcut(QKeySequence(Qt::Key_Home));
  AddAction("Zoomout1", "Zoom out", &TMainForm::Zoomout1Click)
      ->setShortcut(QKeySequence(Qt::Key_End));
  AddAction("Preferences1", "Preferences", &TMainForm::Preferences1Click);
  // Language
  QAction* templateItem = AddAction("M_Template", "M_Template", nullptr, true);
  templateItem->setVisible(false);
  // Help
  AddAction("About1", "About QVMap", &TMainForm::About1Click)->setMenuRole(QAction::AboutRole);

  // Pop-up menu of the map. Its keys are those of the main menu; they act
  // there, so here they are only shown.
  auto popupAction = [this](const char* name, const char* caption, void (TMainForm::*handler)(),
                            const QKeySequence& keys) {
    QAction* action = AddAction(name, caption, handler);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
  };
  popupAction("Zoomin2", "Zoom in", &TMainForm::Zoomin1Click, QKeySequence(Qt::Key_Home));
  popupAction("Zoomout2", "Zoom out", &TMainForm::Zoomout1Click, QKeySequence(Qt::Key_End));
  popupAction("Delete2", "Delete", &TMainForm::ToolButton2Click, QKeySequence(Qt::Key_Delete));
  popupAction("Properties2", "Properties...", &TMainForm::Properties1Click,
              QKeySequence(Qt::ALT | Qt::Key_Return));
  popupAction("Objects1", "Objects...", &TMainForm::Objectsinsector1Click,
              QKeySequence(Qt::Key_Return));
  AddAction("North1", "North", &TMainForm::North1Click);
  AddAction("South1", "South", &TMainForm::South1Click);
  AddAction("West1", "West", &TMainForm::West1Click);
  AddAction("East1", "East", &TMainForm::East1Click);
  CreateRouteActions();
}

void TMainForm::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  auto menu = [&](const char* name, const char* title) {
    QMenu* m = bar->addMenu(QString::fromUtf8(title));
    m->setObjectName(QString::fromLatin1(name));
    return m;
  };
  auto add = [this](QMenu* m, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (name[0] == '-')
        m->addSeparator();
      else
        m->addAction(actions_.at(QString::fromLatin1(name)));
    }
  };
  add(menu("Map1", "&Map"), {"Add1", "Delete1", "Properties1", "Objectsinsector1", "-",
                             "Revealsector1", "Revealallsectors1", "-", "SavemapasBMP1"});
  add(menu("Edit1", "&Edit"), {"Undo1", "Redo1"});
  add(menu("Tables1", "&Tables"), {"Factorytypes1", "Producttypes1", "-", "Directaccess1"});
  QMenu* calculations = menu("Calculations1", "&Calculations");
  add(calculations, {"Statistics1", "-", "Factoryprofit1", "Complexprofit1", "-", "Whereto1",
                     "Routefromhere1", "Routetohere1", "Clearroute1"});
  calculations->addMenu(AvoidMenu());
  add(menu("View1", "&View"),
      {"Productsinsector1", "Showlegend1", "-", "Showstatistics1", "-", "Showraces1", "Showsuns1",
       "Showdocks1", "Showshipyards1", "Showpiratebases1", "Showinvisiblesectors1", "-", "Zoomin1",
       "Zoomout1", "-", "Preferences1"});
  languageMenu_ = menu("Language1", "&Language");
  add(languageMenu_, {"M_Template"});
  add(menu("Help1", "&Help"), {"About1"});

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("PopupMenu1");
  add(popupMenu_, {"Zoomin2", "Zoomout2", "-"});
  revealMenu_ = popupMenu_->addMenu("Reveal");
  revealMenu_->setObjectName("Reveal1");
  add(revealMenu_, {"North1", "South1", "West1", "East1"});
  add(popupMenu_, {"-", "Delete2", "-", "Properties2", "Objects1", "-", "Routefromhere1",
                   "Routetohere1", "Clearroute1"});
  popupMenu_->addMenu(AvoidMenu());
  popupMenu_->setDefaultAction(actions_.at("Objects1"));
}

void TMainForm::CreateToolBar() {
  QToolBar* bar = addToolBar("Tools");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  auto button = [&](const char* name, const char* hint, ToolIcon icon, void (TMainForm::*handler)(),
                    bool toggle = false) {
    bar->addWidget(AddToolButton(name, hint, static_cast<int>(icon), handler, toggle));
  };
  button("ToolButton1", "Add sector", ToolIcon::AddSector, &TMainForm::Add1Click);
  button("ToolButton2", "Delete sector", ToolIcon::DeleteSector, &TMainForm::ToolButton2Click);
  button("ToolButton3", "Sector properties", ToolIcon::SectorProperties,
         &TMainForm::Properties1Click);
  button("ToolButton10", "Objects in sector", ToolIcon::ObjectsInSector,
         &TMainForm::Objectsinsector1Click);
  bar->addSeparator();
  button("ToolButton6", "Factory types", ToolIcon::FactoryTypes, &TMainForm::ToolButton6Click);
  button("ToolButton7", "Product types", ToolIcon::ProductTypes, &TMainForm::ToolButton7Click);
  bar->addSeparator();
  button("ToolButton11", "Calculate statistics", ToolIcon::CalculateStatistics,
         &TMainForm::Calculatestatistics1Click);
  button("ToolButton13", "Show statistics", ToolIcon::ShowStatistics, nullptr, true);
  button("ToolButton9", "Show sector products", ToolIcon::ProductsInSector, nullptr, true);
  button("ToolButton19", "Show legend", ToolIcon::Legend, nullptr, true);
  bar->addSeparator();
  button("ToolButton16", "Show races", ToolIcon::ShowRaces, nullptr, true);
  button("ToolButton15", "Show suns", ToolIcon::ShowSuns, nullptr, true);
  button("ToolButton17", "Show docks", ToolIcon::ShowDocks, nullptr, true);
  button("ToolButton18", "Show shipyards", ToolIcon::ShowShipyards, nullptr, true);
  button("ToolButton20", "Show pirate bases", ToolIcon::ShowPirateBases, nullptr, true);
  button("ToolButton21", "Show invisible sectors", ToolIcon::ShowInvisibleSectors, nullptr, true);
  bar->addSeparator();

  zoomBox_ = new QComboBox(bar);
  zoomBox_->setObjectName("ComboBox1");
  zoomBox_->setEditable(true);
  zoomBox_->setInsertPolicy(QComboBox::NoInsert);
  zoomBox_->setToolTip("Zoom");
  for (std::string_view entry : TMapGeometry::kZoomList)
    zoomBox_->addItem(QString::fromUtf8(entry.data(), static_cast<int>(entry.size())));
  zoomBox_->setMinimumContentsLength(5);
  LimitDropDownRows(*zoomBox_);
  // Enter in the box applies the zoom instead of running the command of the key.
  zoomBox_->lineEdit()->installEventFilter(this);
  bar->addWidget(zoomBox_);
  // A zoom is applied when chosen from the list or when typing ends (Enter or
  // leaving the box); applying it at every key stroke would zoom to 1 % on
  // the way to 150 %.
  connect(zoomBox_, &QComboBox::textActivated, this,
          [this](const QString& text) { SetZoom(text.toStdString()); });
  connect(zoomBox_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (zoomBox_->lineEdit()->text().toStdString() != geometry_.ZoomText())
      SetZoom(zoomBox_->lineEdit()->text().toStdString());
  });
}

void TMainForm::CreateMapView() {
  scrollBox_ = new QScrollArea(this);
  scrollBox_->setObjectName("ScrollBox1");
  scrollBox_->setWidgetResizable(false);
  scrollBox_->setFocusPolicy(Qt::StrongFocus);
  surface_ = new QtMapSurface;
  surface_->SetPaintHandler(
      [this](QPainter& painter, const QRect& exposed) { PaintMap(painter, exposed); });
  scrollBox_->setWidget(surface_);
  scrollBox_->installEventFilter(this);
  scrollBox_->viewport()->installEventFilter(this);
  surface_->installEventFilter(this);
  setCentralWidget(scrollBox_);

  connect(surface_, &QtMapSurface::MouseDown, this,
          [this](QPoint p, Qt::MouseButton) { PaintBox1MouseDown(p.x(), p.y()); });
  connect(surface_, &QtMapSurface::DoubleClicked, this, [this](QPoint) { PaintBox1DblClick(); });
  connect(surface_, &QtMapSurface::ContextMenuRequested, this, [this](QPoint global) {
    PreparePopupMenu();
    popupMenu_->popup(global);
  });

  QStatusBar* status = statusBar();
  status->setObjectName("StatusBar1");
  statusLabel_ = new QLabel(status);
  statusLabel_->setObjectName("StatusLine");
  status->addWidget(statusLabel_, 1);
  // At the left, where a tool window in the corner does not hide it.
  statusHint_ = new QLabel(status);
  statusHint_->setObjectName("StatusHint");
  statusHint_->setContentsMargins(0, 0, 12, 0);
  statusHint_->hide();
  status->insertWidget(0, statusHint_);
  routeLabel_ = new QLabel(status);
  routeLabel_->setObjectName("RouteStatus");
  routeLabel_->hide();
  status->addPermanentWidget(routeLabel_);

  // The progress of saving the map as BMP, shown when the export lasts.
  bmpProgress_ = new QProgressDialog(this);
  bmpProgress_->setObjectName("BmpProgress");
  bmpProgress_->setWindowModality(Qt::WindowModal);
  bmpProgress_->setMinimumDuration(500);
  bmpProgress_->setMinimumWidth(400);  // room for its title
  bmpProgress_->reset();
}

}  // namespace qv
