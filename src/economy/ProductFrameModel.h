#pragma once

#include <string>
#include <vector>

namespace qv {

class TDataModule1;
class TFactory;
struct TStoreTexts;

// The price range of a product frame. The highest price is minimum + span;
// every value is 32-bit, so ships and factories priced in the millions work
// on the track bar and the arrows alike.
struct TPriceRange {
  int minimum = 0;
  int highest = 0;
  int average = 0;
  int Span() const { return highest - minimum; }
  int TickInterval() const { return Span() / 10; }
  // The track bar position of a price: clamped to the ends of the range.
  int Position(int price) const;
};

// The range rule of a frame: a missing maximum becomes twice the average
// (else 1000), a maximum not above the minimum becomes minimum + 1000, a
// missing average the middle, and the highest price covers the average.
TPriceRange FramePriceRange(int minimum, int maximum, int average);

// "Product: name" or "Resource: name" with the store's current texts.
std::string FrameLabelText(bool isProduct, const std::string& name, const TStoreTexts& texts);
// Units per hour of `quantity` units per cycle: "60 units/h", or "? units/h"
// when the cycle is not positive.
std::string FrameRateText(int quantity, double cycle, const std::string& unitsText);

// What one frame is filled with.
struct TFrameData {
  std::string name;
  int productId = -1;
  bool isProduct = false;
  int minimum = 0, maximum = 0, average = 0;
  int quantity = 0;
  int price = 0;  // the price to show after filling (the range's average)
};

// The frames of a factory type's recipe: its products, then its resources,
// each in recipe order; rows whose product type is gone are skipped.
std::vector<TFrameData> RecipeFrames(TDataModule1& store, int factoryTypeId);
// The frames of a factory of a complex: outputs, then inputs, in list order,
// with the prices held there.
std::vector<TFrameData> FactoryFrames(const TFactory& factory);

}  // namespace qv
