#pragma once

#include <string>

#include "app/WindowOrder.h"
#include "economy/FactComplexCalcForm.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/RequestForm.h"
#include "economy/SectProdForm.h"
#include "economy/WhereToForm.h"
#include "editors/BrowseForm.h"
#include "editors/FactoriesForm.h"
#include "editors/ProcessDataForm.h"
#include "editors/ProductsForm.h"
#include "editors/RevealSectorForm.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorPropForm.h"
#include "map/LegendForm.h"
#include "settings/PrefForm.h"

namespace qv {

class BusyCursor;
class Dialogs;
class IniFile;
class TDataModule1;
class TMainForm;

// What a window of the program may be made with.
struct TProgramContext {
  TDataModule1& store;
  Dialogs& dialogs;
  BusyCursor* busy;
  const std::string& programFolder;  // with its trailing separator
  TMainForm& main;                   // the parent of every window
};

// The program's windows besides the main window: the one place that says
// which windows there are and in which order they are made.
//
// - Made in the order of the members below, after the main window and the
//   store; each reads its settings as it is made (TProgramWindow::ReadSettings).
//   A window made with another is declared after it, which the compiler holds
//   to (a member used before it is made is a warning).
// - A language is applied by the language places of QtProgramWindows.cpp, the
//   store in its place (TProgramWindow::Translate).
// - At the end they go in the reverse order, each writing its settings just
//   before (DestroyAll, TProgramWindow::WriteSettings); then the store saves
//   the tables and the main window goes last.
// - Each window is owned by its member alone. The main window is its Qt
//   parent for placement and modality only: the windows go before it.
//
// To add a window: derive its class from TProgramWindow, add its member here
// at its place in the making order, make it in the constructor with its
// language place, and connect its signals to the main window there.
class TProgramWindows {
 public:
  TProgramWindows(const TProgramContext& context, const IniFile* settings);
  // Windows still held go last made first, without writing their settings
  // (the program failed to start).
  ~TProgramWindows() = default;
  TProgramWindows(const TProgramWindows&) = delete;
  TProgramWindows& operator=(const TProgramWindows&) = delete;

  void Translate(const IniFile& languageFile, TDataModule1& store) const {
    order_.Translate(languageFile, store);
  }
  void DestroyAll(IniFile* settings) { order_.DestroyAll(settings); }

 private:
  TWindowOrder order_;  // first: every window below takes its place in it

 public:
  TWindowSlot<TSectorPropForm> sectorProp;
  TWindowSlot<TProductsForm> products;
  TWindowSlot<TFactoriesForm> factories;    // with the products window
  TWindowSlot<TSectorDataForm> sectorData;  // with the factory types and products windows
  TWindowSlot<TSectProdForm> sectProd;
  TWindowSlot<TRequestForm> request;
  TWindowSlot<TPrefForm> pref;
  TWindowSlot<TLegendForm> legend;
  TWindowSlot<TBrowseForm> browse;
  TWindowSlot<TRevealSectorForm> reveal;
  TWindowSlot<TFactSimpleCalcForm> profit;
  TWindowSlot<TFactComplexCalcForm> complex;
  TWindowSlot<TProcessDataForm> process;  // the browse window's processing dialog
  TWindowSlot<TWhereToForm> whereTo;
};

// One of the program's windows, null when there are none or it is gone:
// Window(windows, &TProgramWindows::legend).
template <class T>
T* Window(const TProgramWindows* windows, TWindowSlot<T> TProgramWindows::*slot) {
  return windows ? (windows->*slot).get() : nullptr;
}

}  // namespace qv
