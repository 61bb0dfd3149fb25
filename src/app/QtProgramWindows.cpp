#include "app/QtProgramWindows.h"

#include <memory>

#include "app/MainForm.h"

namespace qv {

namespace {

// The order in which a language is applied after the main window, by the
// language file sections of the windows and the store (DataModule1).
enum LanguagePlace : int {
  kBrowseForm,
  kFactComplexCalcForm,
  kDataModule1,
  kFactoriesForm,
  kFactSimpleCalcForm,
  kLegendForm,
  kPrefForm,
  kProcessDataForm,
  kProductsForm,
  kRequestForm,
  kRevealSectorForm,
  kSectorDataForm,
  kSectorPropForm,
  kSectProdForm,
  kWhereToForm,
};

std::unique_ptr<TSectProdForm> MakeSectProd(const TProgramContext& c) {
  auto products = std::make_unique<TSectProdForm>(c.store, &c.main);
  QObject::connect(products.get(), &TSectProdForm::closed, &c.main,
                   &TMainForm::ProductsWindowClosed);
  return products;
}

std::unique_ptr<TLegendForm> MakeLegend(const TProgramContext& c) {
  auto legend = std::make_unique<TLegendForm>(&c.main);
  QObject::connect(legend.get(), &TLegendForm::closed, &c.main, &TMainForm::LegendClosed);
  QObject::connect(legend.get(), &TLegendForm::preferencesRequested, &c.main,
                   &TMainForm::Preferences1Click);
  return legend;
}

std::unique_ptr<TProcessDataForm> MakeProcess(const TProgramContext& c, TBrowseForm& browse) {
  auto process = std::make_unique<TProcessDataForm>(c.dialogs, c.busy, &c.main);
  browse.SetProcessDialog(process.get());
  return process;
}

std::unique_ptr<TWhereToForm> MakeWhereTo(const TProgramContext& c) {
  auto whereTo = std::make_unique<TWhereToForm>(c.store, c.busy, &c.main);
  QObject::connect(whereTo.get(), &TWhereToForm::routeChosen, &c.main,
                   &TMainForm::WhereToRouteChosen);
  return whereTo;
}

}  // namespace

TProgramWindows::TProgramWindows(const TProgramContext& c, const IniFile* s)
    : order_(kDataModule1),
      sectorProp(order_, kSectorPropForm,
                 std::make_unique<TSectorPropForm>(c.store, c.dialogs, c.busy, &c.main), s),
      products(order_, kProductsForm,
               std::make_unique<TProductsForm>(c.store, c.dialogs, c.main.Texts(), c.programFolder,
                                               &c.main),
               s),
      factories(order_, kFactoriesForm,
                std::make_unique<TFactoriesForm>(c.store, c.dialogs, c.main.Texts(),
                                                 c.programFolder, *products.get(), &c.main),
                s),
      sectorData(
          order_, kSectorDataForm,
          std::make_unique<TSectorDataForm>(c.store, c.dialogs, c.main.Texts(), c.programFolder,
                                            *factories.get(), *products.get(), &c.main),
          s),
      sectProd(order_, kSectProdForm, MakeSectProd(c), s),
      request(order_, kRequestForm,
              std::make_unique<TRequestForm>(c.store, c.dialogs, c.main.CustomColors(), &c.main),
              s),
      pref(order_, kPrefForm,
           std::make_unique<TPrefForm>(c.dialogs, c.main.CustomColors(), &c.main), s),
      legend(order_, kLegendForm, MakeLegend(c), s),
      browse(order_, kBrowseForm,
             std::make_unique<TBrowseForm>(c.store, c.dialogs, c.main.Texts(), &c.main), s),
      reveal(order_, kRevealSectorForm,
             std::make_unique<TRevealSectorForm>(c.store, c.dialogs, &c.main), s),
      profit(order_, kFactSimpleCalcForm, std::make_unique<TFactSimpleCalcForm>(c.store, &c.main),
             s),
      complex(order_, kFactComplexCalcForm,
              std::make_unique<TFactComplexCalcForm>(c.store, c.dialogs, c.busy, c.programFolder,
                                                     c.main.Texts(), &c.main),
              s),
      process(order_, kProcessDataForm, MakeProcess(c, *browse.get()), s),
      whereTo(order_, kWhereToForm, MakeWhereTo(c), s) {}

}  // namespace qv
