#include "data/ChangeRecord.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qv {

namespace {

struct KindWords {
  ChangeKind kind;
  std::string_view key;
  std::string_view text;
};

constexpr std::array<KindWords, 24> kKindWords = {{
    {ChangeKind::EditRow, "EditRow", "change \"%s\""},
    {ChangeKind::AddRow, "AddRow", "add \"%s\""},
    {ChangeKind::DeleteRow, "DeleteRow", "delete \"%s\""},
    {ChangeKind::AddSector, "AddSector", "add sector \"%s\""},
    {ChangeKind::EditSector, "EditSector", "change sector \"%s\""},
    {ChangeKind::DeleteSector, "DeleteSector", "delete sector \"%s\""},
    {ChangeKind::PlaceFactory, "PlaceFactory", "place factory \"%s\""},
    {ChangeKind::EditPlacedFactory, "EditPlacedFactory", "change factory \"%s\""},
    {ChangeKind::RemoveFactory, "RemoveFactory", "remove factory \"%s\""},
    {ChangeKind::PlaceTrader, "PlaceTrader", "place trader \"%s\""},
    {ChangeKind::EditTrader, "EditTrader", "change trader \"%s\""},
    {ChangeKind::RemoveTrader, "RemoveTrader", "remove trader \"%s\""},
    {ChangeKind::AddFactoryType, "AddFactoryType", "add factory type \"%s\""},
    {ChangeKind::EditFactoryType, "EditFactoryType", "change factory type \"%s\""},
    {ChangeKind::DeleteFactoryType, "DeleteFactoryType", "delete factory type \"%s\""},
    {ChangeKind::AddRecipeRow, "AddRecipeRow", "add recipe row \"%s\""},
    {ChangeKind::EditRecipeRow, "EditRecipeRow", "change recipe row \"%s\""},
    {ChangeKind::DeleteRecipeRow, "DeleteRecipeRow", "delete recipe row \"%s\""},
    {ChangeKind::AddProduct, "AddProduct", "add product \"%s\""},
    {ChangeKind::EditProduct, "EditProduct", "change product \"%s\""},
    {ChangeKind::DeleteProduct, "DeleteProduct", "delete product \"%s\""},
    {ChangeKind::Reveal, "Reveal", "reveal \"%s\""},
    {ChangeKind::BulkChange, "BulkChange", "change \"%s\" of many rows"},
    {ChangeKind::Other, "Other", "change \"%s\""},
}};

const KindWords& WordsOf(ChangeKind kind) {
  const auto it = std::ranges::find(kKindWords, kind, &KindWords::kind);
  return it != kKindWords.end() ? *it : kKindWords.back();
}

// The tables whose writes have a kind of their own, in add / change / delete order.
struct TableKinds {
  std::string_view table;
  ChangeKind insert, update, remove;
};

constexpr std::array<TableKinds, 6> kTableKinds = {{
    {"SectorsData", ChangeKind::AddSector, ChangeKind::EditSector, ChangeKind::DeleteSector},
    {"SectFactoryData", ChangeKind::PlaceFactory, ChangeKind::EditPlacedFactory,
     ChangeKind::RemoveFactory},
    {"SectTradeData", ChangeKind::PlaceTrader, ChangeKind::EditTrader, ChangeKind::RemoveTrader},
    {"FactoriesData", ChangeKind::AddFactoryType, ChangeKind::EditFactoryType,
     ChangeKind::DeleteFactoryType},
    {"FactoryProdData", ChangeKind::AddRecipeRow, ChangeKind::EditRecipeRow,
     ChangeKind::DeleteRecipeRow},
    {"ProductsData", ChangeKind::AddProduct, ChangeKind::EditProduct, ChangeKind::DeleteProduct},
}};

RowChangeKind Opposite(RowChangeKind kind) {
  switch (kind) {
    case RowChangeKind::Insert:
      return RowChangeKind::Delete;
    case RowChangeKind::Delete:
      return RowChangeKind::Insert;
    case RowChangeKind::Update:
      break;
  }
  return RowChangeKind::Update;
}

}  // namespace

ChangeRecord ChangeRecord::Reversed() const {
  ChangeRecord reversed;
  reversed.kind = kind;
  reversed.name = name;
  reversed.rows.reserve(rows.size());
  for (auto it = rows.rbegin(); it != rows.rend(); ++it)
    reversed.rows.push_back({it->table, Opposite(it->kind), it->place, it->after, it->before});
  for (const CounterChange& counter : counters)
    reversed.counters.push_back({counter.table, counter.after, counter.before});
  return reversed;
}

std::string_view ChangeKindKey(ChangeKind kind) {
  return WordsOf(kind).key;
}

std::string_view ChangeKindText(ChangeKind kind) {
  return WordsOf(kind).text;
}

ChangeKind KindOfRowChange(std::string_view table, RowChangeKind change) {
  const auto it = std::ranges::find(kTableKinds, table, &TableKinds::table);
  switch (change) {
    case RowChangeKind::Insert:
      return it != kTableKinds.end() ? it->insert : ChangeKind::AddRow;
    case RowChangeKind::Delete:
      return it != kTableKinds.end() ? it->remove : ChangeKind::DeleteRow;
    case RowChangeKind::Update:
      break;
  }
  return it != kTableKinds.end() ? it->update : ChangeKind::EditRow;
}

std::string ChangeText(const ChangeRecord& record, std::string_view format) {
  std::string text(format.empty() ? ChangeKindText(record.kind) : format);
  const std::string::size_type at = text.find("%s");
  if (at == std::string::npos) return text;
  if (!record.name.empty()) return text.replace(at, 2, record.name);
  // No name: drop the placeholder with the quotes and the space around it.
  std::string::size_type from = at;
  std::string::size_type to = at + 2;
  if (from > 0 && to < text.size() && text[from - 1] == text[to] &&
      (text[to] == '"' || text[to] == '\'')) {
    --from;
    ++to;
  }
  if (from > 0 && text[from - 1] == ' ')
    --from;
  else if (to < text.size() && text[to] == ' ')
    ++to;
  return text.erase(from, to - from);
}

}  // namespace qv
