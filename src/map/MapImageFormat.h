#pragma once

#include <optional>
#include <string>

namespace qv {

// The file formats the map is saved in.
enum class MapImageFormat { Bmp, Png, Svg };

// The format a file name asks for by its extension (".bmp", ".png", ".svg",
// in any case); nothing for any other name.
std::optional<MapImageFormat> MapImageFormatOf(const std::string& path);

}  // namespace qv
