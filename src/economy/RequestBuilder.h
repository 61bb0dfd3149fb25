#pragma once

#include <optional>
#include <string>
#include <vector>

#include "map/RequestData.h"

namespace qv {

class TDataModule1;
struct TRequestSettings;

// The request that "Process" makes of the request settings and the chosen
// products of the AuxRequestData row: the simple request shows where its one
// product is made and where it is needed; the custom request takes the used
// slots in order. The maxima stay 0 until the statistics run.
TRequestData BuildProcessRequest(TDataModule1& store, const TRequestSettings& settings);

// One product named on the command line and its role.
struct TNamedRequestProduct {
  std::string name;
  int operation = 0;  // 0 production, 1 demand
};

struct TNamedRequest {
  std::vector<TNamedRequestProduct> products;  // 1 to 6
  bool rates = false;
  int traders = 0;  // 0 to 3
  bool countYour = false;
  bool individualScale = false;
};

// A request of products given by their exact names, coloured ReqColor1.. in
// the order given. Nothing, with `error` set, when a name matches no product
// type or the request is out of range.
std::optional<TRequestData> BuildNamedRequest(TDataModule1& store, const TRequestSettings& settings,
                                              const TNamedRequest& named, std::string& error);

}  // namespace qv
