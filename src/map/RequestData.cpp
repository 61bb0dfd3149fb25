#include "map/RequestData.h"

#include <algorithm>

namespace qv {

int TRequestData::UsedCount() const {
  return std::clamp(Count, 0, kMaxProducts);
}

bool TRequestData::ChoosesNoProduct() const {
  for (int i = 0; i < UsedCount(); ++i)
    if (!ProductName[i].empty()) return false;
  return UsedCount() > 0;
}

double GetScale(const TRequestData& request, int i) {
  if (i < 0 || i >= request.UsedCount()) return 0.0;
  if (!request.IndividualScale) return request.OverallMax;
  return request.Max[i];
}

}  // namespace qv
