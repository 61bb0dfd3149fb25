#include "economy/ProductFrameModel.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "data/DataModule1.h"
#include "economy/ComplexModel.h"
#include "map/FormatStatValue.h"

namespace qv {

namespace {

// Prices near the 32-bit limit must not wrap when doubled or widened.
int Clamped(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace

int TPriceRange::Position(int price) const {
  if (price < minimum) return 0;
  if (price > highest) return Span();
  return price - minimum;
}

TPriceRange FramePriceRange(int minimum, int maximum, int average) {
  std::int64_t highest = maximum;
  if (highest == 0) highest = 2 * static_cast<std::int64_t>(average);
  if (highest == 0) highest = 1000;
  if (highest <= minimum) highest = static_cast<std::int64_t>(minimum) + 1000;
  std::int64_t middle = average;
  if (middle == 0) middle = (minimum + highest) / 2;
  if (highest < middle) highest = 2 * middle;
  TPriceRange range;
  range.minimum = minimum;
  // The span must fit a 32-bit track bar as well.
  range.highest = Clamped(std::min<std::int64_t>(
      highest, static_cast<std::int64_t>(minimum) + std::numeric_limits<int>::max()));
  range.average = Clamped(middle);
  return range;
}

std::string FrameLabelText(bool isProduct, const std::string& name, const TStoreTexts& texts) {
  return (isProduct ? texts.FrameProductText : texts.FrameResourceText) + " " + name;
}

std::string FrameRateText(int quantity, double cycle, const std::string& unitsText) {
  if (!(cycle > 0)) return "? " + unitsText;
  return FormatStatValue(quantity * 3600.0 / cycle, true) + " " + unitsText;
}

std::vector<TFrameData> RecipeFrames(TDataModule1& store, int factoryTypeId) {
  std::vector<TFrameData> frames;
  const TStoreFields& f = store.Fields();
  const OrderedRows recipes =
      store.FactoryProdData.RowsWithKey("FactoryId;Operation", {Value(factoryTypeId)});
  for (int i = 0; i < recipes.Size(); ++i) {
    const Record recipe = recipes.At(i);
    const int productId = f.FactoryProd.ProductId.Of(recipe).ToInteger();
    const Record product = store.ProductsData.Lookup("Id", Value(productId));
    if (!product.IsValid()) continue;
    TFrameData& frame = frames.emplace_back();
    frame.name = f.Products.Name.Of(product).ToString();
    frame.productId = productId;
    frame.isProduct =
        AsCode<Operation>(f.FactoryProd.Operation.Of(recipe).ToInteger()) == Operation::Produces;
    frame.minimum = f.Products.Min.Of(product).ToInteger();
    frame.maximum = f.Products.Max.Of(product).ToInteger();
    frame.average = f.Products.Avg.Of(product).ToInteger();
    frame.quantity = f.FactoryProd.Qty.Of(recipe).ToInteger();
    frame.price = FramePriceRange(frame.minimum, frame.maximum, frame.average).average;
  }
  return frames;
}

std::vector<TFrameData> FactoryFrames(const TFactory& factory) {
  std::vector<TFrameData> frames;
  for (const std::list<TProduct>* list : {&factory.Outputs, &factory.Inputs})
    for (const TProduct& p : *list)
      frames.push_back({p.Name, p.ProductId, p.IsOutput, p.Min, p.Max, p.Avg, p.Qty, p.Price});
  return frames;
}

}  // namespace qv
