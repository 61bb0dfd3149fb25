#include <ostream>

#include "cli/CliContext.h"
#include "cli/CliRequestOptions.h"
#include "cli/CliRouteOptions.h"
#include "cli/Commands.h"
#include "economy/SectorStatistics.h"
#include "map/BmpFile.h"
#include "map/JumpGraph.h"
#include "map/MapGeometry.h"
#include "map/MapImageFormat.h"
#include "map/MapRenderer.h"
#include "map/QtMapExport.h"
#include "map/QtMapImage.h"
#include "map/RequestData.h"
#include "map/RouteOverlay.h"
#include "map/SectorArray.h"
#include "settings/MainTexts.h"
#include "settings/MainWindowSettings.h"

namespace qv::cli {

// render OUT.bmp|OUT.png|OUT.svg [--zoom PCT] [--hidden] [REQUEST...] [--route
// FROM TO [ROUTE...]]: the map as the main window draws it after start, with
// the route between two sectors shown when asked, written as a 24-bit BMP, an
// RGB PNG or an SVG drawing as the file's extension says.
int RunRender(CliContext& context, const CommandArgs& args) {
  std::string outFile;
  std::optional<std::string> zoom;
  bool hidden = false;
  RequestOptions requestOptions;
  std::optional<std::pair<std::string, std::string>> routeEnds;
  TRouteOptions routeOptions;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (TakeRequestOption(args, i, requestOptions)) continue;
    if (TakeRouteOption(args, i, routeOptions)) continue;
    if (arg == "--route") {
      if (i + 2 >= args.size()) throw UsageError("--route needs FROM and TO");
      routeEnds.emplace(args[i + 1], args[i + 2]);
      i += 2;
    } else if (arg == "--zoom") {
      if (i + 1 >= args.size()) throw UsageError("--zoom needs a value");
      zoom = args[++i];
    } else if (arg.starts_with("--zoom=")) {
      zoom = arg.substr(7);
    } else if (arg == "--hidden") {
      hidden = true;
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else if (outFile.empty()) {
      outFile = arg;
    } else {
      throw UsageError("render takes one output file");
    }
  }
  if (outFile.empty()) throw UsageError("render needs an output file");
  const std::optional<MapImageFormat> format = MapImageFormatOf(outFile);
  if (!format) throw UsageError("render writes a .bmp, .png or .svg file, not " + outFile);

  TMainWindowSettings settings;
  if (!ReadProgramSettings(context, settings)) return 1;
  if (hidden) settings.Map.ShowInvisibleSectors = true;
  TDataModule1& store = context.Store();

  TMapGeometry geometry;
  SetUpGeometry(store, settings, settings.Map.ShowInvisibleSectors, geometry);
  // The zoom box reads the text the way a typed zoom is read.
  if (zoom) geometry.SetZoom(*zoom, TViewport{});

  TSectorArray cells;
  TRequestData request;
  if (requestOptions.given) {
    if (!CalcRequest(context, settings.Request, requestOptions, geometry, request, cells)) return 1;
    settings.Map.ShowStatistics = true;
  }

  TMapRoute route;
  if (routeEnds) {
    TJumpGraph graph;
    graph.Update(store, settings.Map.ShowInvisibleSectors);
    const auto nodes =
        RouteBetween(context, graph, routeEnds->first, routeEnds->second, routeOptions);
    if (!nodes) return 1;
    for (const int node : *nodes)
      route.cells.emplace_back(graph.Sector(node).x, graph.Sector(node).y);
  }

  // A map of a universe read in part would look whole: no image then.
  if (context.StoreLoadFailed()) return 1;

  const int width = geometry.SurfaceWidth();
  const int height = geometry.SurfaceHeight();
  // Refused before anything is drawn, with the window's own message.
  if (*format == MapImageFormat::Bmp && width > 0 && height > 0 &&
      !BmpFileWriter::Fits(width, height)) {
    TMainTexts texts;
    TranslateMainTexts(context.LanguageFile(), texts);
    context.Err() << "qvmap-cli: " << MapImageSizeText(texts.BmpTooLargeMsg, width, height) << "\n";
    return 1;
  }
  const TMapDrawContext drawContext{store,   geometry, settings.Map, settings.Request,
                                    request, cells,    nullptr,      routeEnds ? &route : nullptr};
  QtHeadlessGui gui;
  const std::string error = SaveMapImage(drawContext, width, height, outFile, *format);
  if (!error.empty()) {
    context.Err() << "qvmap-cli: " << error << "\n";
    return 1;
  }
  context.Out() << width << '\t' << height << '\n';
  return 0;
}

}  // namespace qv::cli
