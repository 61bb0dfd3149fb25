#include "settings/MainWindowKeys.h"

#include <array>
#include <stdexcept>
#include <type_traits>

namespace qv {

namespace {

constexpr char kSection[] = "MainWindow";

// The field of a member of TMainWindowSettings, of a member of one of its
// groups (`Group` the group's member), or of element `Index` of such an array.
template <auto Member>
constexpr auto Top() {
  using T = std::remove_cvref_t<decltype(TMainWindowSettings{}.*Member)>;
  return TSettingField<T>{[](TMainWindowSettings& s) -> T& { return s.*Member; },
                          [](const TMainWindowSettings& s) -> const T& { return s.*Member; }};
}

template <auto Group, auto Member>
constexpr auto Nested() {
  using T = std::remove_cvref_t<decltype(TMainWindowSettings{}.*Group.*Member)>;
  return TSettingField<T>{
      [](TMainWindowSettings& s) -> T& { return s.*Group.*Member; },
      [](const TMainWindowSettings& s) -> const T& { return s.*Group.*Member; }};
}

template <auto Member>
constexpr auto InMap() {
  return Nested<&TMainWindowSettings::Map, Member>();
}
template <auto Member>
constexpr auto InRequest() {
  return Nested<&TMainWindowSettings::Request, Member>();
}
template <auto Member>
constexpr auto InRoute() {
  return Nested<&TMainWindowSettings::Route, Member>();
}
template <auto Member, std::size_t Index>
constexpr auto InRequestArray() {
  using T = std::remove_cvref_t<decltype((TRequestSettings{}.*Member)[Index])>;
  return TSettingField<T>{
      [](TMainWindowSettings& s) -> T& { return (s.Request.*Member)[Index]; },
      [](const TMainWindowSettings& s) -> const T& { return (s.Request.*Member)[Index]; }};
}

constexpr TSettingKey Number(const char* key, TSettingField<int> field,
                             TSettingRange range = kAnyNumber) {
  return {kSection, key, TNumberSetting{field, range}};
}
constexpr TSettingKey Switch(const char* key, TSettingField<bool> field,
                             std::optional<bool> missing = std::nullopt) {
  return {kSection, key, TSwitchSetting{field, missing}};
}
constexpr TSettingKey Key(const char* key, TSettingValue value) {
  return {kSection, key, value};
}
constexpr TSettingKey Font(const char* section, TSettingField<TFontParams> field) {
  return {section, "", TFontSetting{field}};
}
constexpr TSettingKey OnClose(TSettingKey key) {
  key.written = TSettingWritten::OnClose;
  return key;
}

// The deliberate differences from the struct's initial values. The struct
// gives the map drawn from settings never read (a settings file that could
// not be read, the drawing tests and benchmarks): plain, at 100 %. A first
// start, whose file has none of these keys yet, shows the races and the
// stations at 75 %, so that a new player sees the universe at once. Making
// the two agree would change how the program starts.
constexpr bool kShownAtFirstStart = true;
constexpr int kFirstStartZoomPercent = 75;

constexpr std::array kKeys = {
    // Which windows were open: written when the main window closes.
    OnClose(Switch("ShowProducts", Top<&TMainWindowSettings::ShowProducts>())),
    OnClose(Switch("ShowLegend", Top<&TMainWindowSettings::ShowLegend>())),
    // Geometry is held to sane ranges: a hand-edited file must not make the
    // map's pixel arithmetic overflow. The held values are what is written back.
    Number("SectorSize", InMap<&TMapSettings::SectorSize>(), kSectorSizeRange),
    Number("SectorDx", InMap<&TMapSettings::SectorDx>(), kSpacingRange),
    Number("SectorDy", InMap<&TMapSettings::SectorDy>(), kSpacingRange),
    Number("BorderDx", InMap<&TMapSettings::BorderDx>(), kSpacingRange),
    Number("BorderDy", InMap<&TMapSettings::BorderDy>(), kSpacingRange),
    Key("Zoom",
        TZoomSetting{InMap<&TMapSettings::Zoom>(), kFirstStartZoomPercent, kZoomPercentRange}),
    Number("ProdColor", InRequest<&TRequestSettings::ProdColor>()),
    Number("DemandColor", InRequest<&TRequestSettings::DemandColor>()),
    Number("ReqColor1", InRequestArray<&TRequestSettings::ReqColor, 0>()),
    Number("ReqColor2", InRequestArray<&TRequestSettings::ReqColor, 1>()),
    Number("ReqColor3", InRequestArray<&TRequestSettings::ReqColor, 2>()),
    Number("ReqColor4", InRequestArray<&TRequestSettings::ReqColor, 3>()),
    Number("ReqColor5", InRequestArray<&TRequestSettings::ReqColor, 4>()),
    Number("ReqColor6", InRequestArray<&TRequestSettings::ReqColor, 5>()),
    Number("ReqOp1", InRequestArray<&TRequestSettings::ReqOp, 0>()),
    Number("ReqOp2", InRequestArray<&TRequestSettings::ReqOp, 1>()),
    Number("ReqOp3", InRequestArray<&TRequestSettings::ReqOp, 2>()),
    Number("ReqOp4", InRequestArray<&TRequestSettings::ReqOp, 3>()),
    Number("ReqOp5", InRequestArray<&TRequestSettings::ReqOp, 4>()),
    Number("ReqOp6", InRequestArray<&TRequestSettings::ReqOp, 5>()),
    Switch("SimpleRequest", InRequest<&TRequestSettings::SimpleRequest>()),
    Switch("VerticalBars", InRequest<&TRequestSettings::VerticalBars>()),
    Number("BarWidth", InRequest<&TRequestSettings::BarWidth>(), kBarWidthRange),
    Switch("ShowNumbers", InRequest<&TRequestSettings::ShowNumbers>()),
    Switch("NumbersOnly", InRequest<&TRequestSettings::NumbersOnly>()),
    Number("Traders", InRequest<&TRequestSettings::Traders>()),
    Switch("CountYourFactories", InRequest<&TRequestSettings::CountYourFactories>()),
    Number("SectorBorderColor", InMap<&TMapSettings::SectorBorderColor>()),
    Number("GateLineColor", InMap<&TMapSettings::GateLineColor>()),
    Number("BackgroundColor", InMap<&TMapSettings::BackgroundColor>()),
    Number("KessarColor", InMap<&TMapSettings::KessarColor>()),
    Number("LumariColor", InMap<&TMapSettings::LumariColor>()),
    Number("VosskColor", InMap<&TMapSettings::VosskColor>()),
    Number("OrthaneColor", InMap<&TMapSettings::OrthaneColor>()),
    Number("DrakhColor", InMap<&TMapSettings::DrakhColor>()),
    Number("PiratesColor", InMap<&TMapSettings::PiratesColor>()),
    Number("ZhurrColor", InMap<&TMapSettings::ZhurrColor>()),
    Number("NoRaceColor", InMap<&TMapSettings::NoRaceColor>()),
    Switch("ShowRaces", InMap<&TMapSettings::ShowRaces>(), kShownAtFirstStart),
    Switch("ShowSuns", InMap<&TMapSettings::ShowSuns>()),
    Switch("ShowDocks", InMap<&TMapSettings::ShowDocks>(), kShownAtFirstStart),
    Switch("ShowShipyards", InMap<&TMapSettings::ShowShipyards>(), kShownAtFirstStart),
    Font("SectorNameFont", InMap<&TMapSettings::SectorNameFont>()),
    Font("ReqDigitFont", InMap<&TMapSettings::ReqDigitFont>()),
    Font("SunFont", InMap<&TMapSettings::SunFont>()),
    Font("StationsFont", InMap<&TMapSettings::StationsFont>()),
    Switch("PirateBasesAsLetter", InMap<&TMapSettings::PirateBasesAsLetter>()),
    Switch("ShipyardsAsLetter", InMap<&TMapSettings::ShipyardsAsLetter>()),
    Switch("DocksAsLetter", InMap<&TMapSettings::DocksAsLetter>()),
    Switch("ShowPirateBases", InMap<&TMapSettings::ShowPirateBases>(), kShownAtFirstStart),
    Switch("SimpleIndividualScale", InRequest<&TRequestSettings::SimpleIndividualScale>()),
    Switch("CustomIndividualScale", InRequest<&TRequestSettings::CustomIndividualScale>()),
    Switch("ShowInvisibleSectors", InMap<&TMapSettings::ShowInvisibleSectors>()),
    Switch("ShowRates", InRequest<&TRequestSettings::ShowRates>()),
    Number("RouteColor", InMap<&TMapSettings::RouteColor>()),
    Key("RouteAvoidRaces", TTextListSetting{InRoute<&TRouteOptions::avoidRaces>()}),
    Switch("RouteAvoidPirateBases", InRoute<&TRouteOptions::avoidPirateBases>()),
    Key("Build", TBuildSetting{}),
    Key("Language", TTextSetting{Top<&TMainWindowSettings::Language>()}),
};

}  // namespace

std::span<const TSettingKey> MainWindowKeys() {
  return kKeys;
}

const TSettingKey& MainWindowKey(std::string_view name) {
  for (const TSettingKey& key : kKeys) {
    if (name == (*key.key ? key.key : key.section)) return key;
  }
  throw std::out_of_range("no settings key " + std::string(name));
}

}  // namespace qv
