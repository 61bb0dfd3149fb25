#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/ChangeRecord.h"

namespace qv {

// A change record as bytes, for the journal: little-endian numbers, texts
// with their length, every value with its kind. Decoding gives nothing for
// bytes that are not exactly one record.
std::string EncodeChangeRecord(const ChangeRecord& record);
std::optional<ChangeRecord> DecodeChangeRecord(std::string_view bytes);

}  // namespace qv
