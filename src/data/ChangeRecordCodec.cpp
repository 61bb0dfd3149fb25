#include "data/ChangeRecordCodec.h"

#include <cstdint>
#include <cstring>

namespace qv {

namespace {

constexpr int kLastKind = static_cast<int>(ChangeKind::RevealAll);

class Writer {
 public:
  void Number(std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  void Text(std::string_view text) {
    Number(text.size(), 4);
    out_ += text;
  }
  void Values(const RowValues& values) {
    Number(values.size(), 4);
    for (const Value& value : values) {
      const Value::Kind kind = value.GetKind();
      Number(static_cast<std::uint8_t>(kind), 1);
      if (kind == Value::Kind::Integer)
        Number(static_cast<std::uint64_t>(value.ToInteger()), 4);
      else if (kind == Value::Kind::Boolean)
        Number(value.ToBoolean() ? 1 : 0, 1);
      else if (kind == Value::Kind::String)
        Text(value.ToString());
    }
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}
  bool Ok() const { return ok_; }
  bool AtEnd() const { return at_ == in_.size(); }

  std::uint64_t Number(int bytes) {
    if (!Has(static_cast<std::size_t>(bytes))) return 0;
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[at_++])) << (8 * i);
    return value;
  }
  std::string Text() {
    const std::uint64_t size = Number(4);
    if (!Has(size)) return {};
    std::string text(in_.substr(at_, size));
    at_ += size;
    return text;
  }
  RowValues Values() {
    const std::uint64_t count = Number(4);
    RowValues values;
    // Every value takes a byte at least: a count beyond the rest is damage.
    if (!Has(count)) return values;
    values.reserve(count);
    for (std::uint64_t i = 0; i < count && ok_; ++i) {
      switch (Number(1)) {
        case static_cast<int>(Value::Kind::Null):
          values.emplace_back();
          break;
        case static_cast<int>(Value::Kind::Integer):
          values.emplace_back(static_cast<std::int32_t>(static_cast<std::uint32_t>(Number(4))));
          break;
        case static_cast<int>(Value::Kind::Boolean):
          values.emplace_back(Number(1) != 0);
          break;
        case static_cast<int>(Value::Kind::String):
          values.emplace_back(Text());
          break;
        default:
          ok_ = false;
      }
    }
    return values;
  }

 private:
  bool Has(std::uint64_t bytes) {
    if (ok_ && bytes <= in_.size() - at_) return true;
    ok_ = false;
    return false;
  }
  std::string_view in_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

std::string EncodeChangeRecord(const ChangeRecord& record) {
  Writer out;
  out.Number(static_cast<std::uint8_t>(record.kind), 1);
  out.Text(record.name);
  out.Number(record.rows.size(), 4);
  for (const RowChange& row : record.rows) {
    out.Text(row.table);
    out.Number(static_cast<std::uint8_t>(row.kind), 1);
    out.Number(static_cast<std::uint32_t>(row.place), 4);
    out.Values(row.before);
    out.Values(row.after);
  }
  out.Number(record.counters.size(), 4);
  for (const CounterChange& counter : record.counters) {
    out.Text(counter.table);
    out.Number(static_cast<std::uint64_t>(counter.before), 8);
    out.Number(static_cast<std::uint64_t>(counter.after), 8);
  }
  return out.Take();
}

std::optional<ChangeRecord> DecodeChangeRecord(std::string_view bytes) {
  Reader in(bytes);
  ChangeRecord record;
  const std::uint64_t kind = in.Number(1);
  if (kind > kLastKind) return std::nullopt;
  record.kind = static_cast<ChangeKind>(kind);
  record.name = in.Text();
  const std::uint64_t rows = in.Number(4);
  for (std::uint64_t i = 0; i < rows && in.Ok(); ++i) {
    RowChange& row = record.rows.emplace_back();
    row.table = in.Text();
    const std::uint64_t rowKind = in.Number(1);
    if (rowKind > static_cast<int>(RowChangeKind::Delete)) return std::nullopt;
    row.kind = static_cast<RowChangeKind>(rowKind);
    const std::uint64_t place = in.Number(4);
    if (place > 0x7FFFFFFF) return std::nullopt;
    row.place = static_cast<int>(place);
    row.before = in.Values();
    row.after = in.Values();
  }
  const std::uint64_t counters = in.Number(4);
  for (std::uint64_t i = 0; i < counters && in.Ok(); ++i) {
    CounterChange& counter = record.counters.emplace_back();
    counter.table = in.Text();
    counter.before = static_cast<std::int64_t>(in.Number(8));
    counter.after = static_cast<std::int64_t>(in.Number(8));
  }
  if (!in.Ok() || !in.AtEnd()) return std::nullopt;
  return record;
}

}  // namespace qv
