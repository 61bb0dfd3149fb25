// Routes on the map and the "Where to" window.
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <algorithm>

#include "app/MainForm.h"
#include "app/QtMapSurface.h"
#include "economy/WhereToForm.h"
#include "map/MapRenderer.h"

namespace qv {

namespace {

// The menu items of the races a route may avoid, in the map's race order.
std::string AvoidItemName(std::string_view race) {
  return "Avoid" + std::string(race) + "1";
}

constexpr const char* kAvoidPirateBases = "Avoidpiratebases1";

}  // namespace

void TMainForm::CreateRouteActions() {
  AddAction("Whereto1", "Where to...", &TMainForm::Whereto1Click)
      ->setShortcut(QKeySequence("Ctrl+W"));
  AddAction("Routefromhere1", "Route from here", &TMainForm::Routefromhere1Click);
  AddAction("Routetohere1", "Route to here", &TMainForm::Routetohere1Click);
  AddAction("Clearroute1", "Clear route", &TMainForm::Clearroute1Click)
      ->setShortcut(QKeySequence(Qt::Key_Escape));
  for (std::string_view race : kRaceNames)
    AddAction(AvoidItemName(race).c_str(), std::string(race).c_str(), &TMainForm::AvoidSwitched,
              true);
  AddAction(kAvoidPirateBases, "Sectors with a pirate base", &TMainForm::AvoidSwitched, true);
}

// One menu, shown in the Calculations menu and in the map's pop-up menu.
QMenu* TMainForm::AvoidMenu() {
  if (avoidMenu_) return avoidMenu_;
  avoidMenu_ = new QMenu("Avoid on routes", this);
  avoidMenu_->setObjectName("Avoid1");
  for (std::string_view race : kRaceNames)
    avoidMenu_->addAction(Action(QString::fromStdString(AvoidItemName(race))));
  avoidMenu_->addSeparator();
  avoidMenu_->addAction(Action(kAvoidPirateBases));
  return avoidMenu_;
}

void TMainForm::ApplyRouteOptionsToControls() {
  const TRouteOptions& options = settings_.Route;
  for (std::string_view race : kRaceNames)
    Action(QString::fromStdString(AvoidItemName(race)))
        ->setChecked(std::find(options.avoidRaces.begin(), options.avoidRaces.end(), race) !=
                     options.avoidRaces.end());
  Action(kAvoidPirateBases)->setChecked(options.avoidPirateBases);
}

void TMainForm::AvoidSwitched() {
  TRouteOptions& options = settings_.Route;
  // Races the menu does not offer (a settings file may name any) stay avoided.
  std::erase_if(options.avoidRaces, [](const std::string& race) {
    return std::find(kRaceNames.begin(), kRaceNames.end(), race) != kRaceNames.end();
  });
  for (std::string_view race : kRaceNames)
    if (Action(QString::fromStdString(AvoidItemName(race)))->isChecked())
      options.avoidRaces.emplace_back(race);
  options.avoidPirateBases = Action(kAvoidPirateBases)->isChecked();
  RefreshRoute();
  if (WhereToVisible()) RefreshWhereTo();
}

void TMainForm::Routefromhere1Click() {
  if (!geometry_.HasSelection()) return;
  const std::optional<int> id = routePlan_.SectorIdAt(store_, settings_.Map.ShowInvisibleSectors,
                                                      geometry_.SelX(), geometry_.SelY());
  if (!id) return;
  routePlan_.SetStart(*id);
  RefreshRoute();
}

void TMainForm::Routetohere1Click() {
  if (!geometry_.HasSelection()) return;
  const std::optional<int> id = routePlan_.SectorIdAt(store_, settings_.Map.ShowInvisibleSectors,
                                                      geometry_.SelX(), geometry_.SelY());
  if (!id) return;
  routePlan_.SetEnd(*id);
  RefreshRoute();
}

void TMainForm::Clearroute1Click() {
  if (!routePlan_.HasEnd()) return;
  routePlan_.Clear();
  RefreshRoute();
}

void TMainForm::RefreshRoute() {
  if (routePlan_.Update(store_, settings_.Map.ShowInvisibleSectors, settings_.Route))
    surface_->update();
  UpdateRouteStatus();
  UpdateRouteCommands();
}

QString TMainForm::RouteStatusText() const {
  return routeLabel_->isHidden() ? QString() : routeLabel_->text();
}

void TMainForm::UpdateRouteStatus() {
  std::string text;
  const TMapRoutePlan& plan = routePlan_;
  switch (plan.GetState()) {
    case TMapRoutePlan::State::None:
      break;
    case TMapRoutePlan::State::StartOnly:
      text = FormatText(texts_.RouteStartMsg, {plan.StartLabel()});
      break;
    case TMapRoutePlan::State::EndOnly:
      text = FormatText(texts_.RouteEndMsg, {plan.EndLabel()});
      break;
    case TMapRoutePlan::State::Found:
      text = plan.Jumps() == 1 ? texts_.RouteOneJumpMsg
                               : FormatText(texts_.RouteJumpsMsg, {std::int64_t{plan.Jumps()}});
      break;
    case TMapRoutePlan::State::NoRoute:
      text = FormatText(texts_.NoRouteMsg, {plan.StartLabel(), plan.EndLabel()});
      break;
  }
  routeLabel_->setText(QString::fromStdString(text));
  routeLabel_->setVisible(!text.empty());
}

void TMainForm::UpdateRouteCommands() {
  const bool selected = geometry_.HasSelection();
  Action("Routefromhere1")->setEnabled(selected);
  Action("Routetohere1")->setEnabled(selected);
  Action("Clearroute1")->setEnabled(routePlan_.HasEnd());
}

bool TMainForm::WhereToVisible() const {
  const auto* whereTo = Window(&TProgramWindows::whereTo);
  return whereTo && whereTo->isVisible();
}

void TMainForm::Whereto1Click() {
  auto* whereTo = Window(&TProgramWindows::whereTo);
  if (!whereTo) return;
  whereTo->show();
  RefreshWhereTo();
  whereTo->raise();
  whereTo->activateWindow();
}

void TMainForm::RefreshWhereTo() {
  auto* whereTo = Window(&TProgramWindows::whereTo);
  if (!whereTo || whereToKeepsStart_) return;
  std::optional<std::pair<int, int>> selected;
  if (geometry_.HasSelection()) selected.emplace(geometry_.SelX(), geometry_.SelY());
  whereTo->ShowFrom(selected, settings_.Map.ShowInvisibleSectors, settings_.Route);
}

void TMainForm::WhereToRouteChosen(int startId, int endId, int x, int y) {
  if (startId >= 0) {
    routePlan_.SetEnds(startId, endId);
    RefreshRoute();
  }
  whereToKeepsStart_ = true;
  SelectSector(x, y);
  whereToKeepsStart_ = false;
}

}  // namespace qv
