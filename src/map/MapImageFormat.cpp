#include "map/MapImageFormat.h"

#include <filesystem>

namespace qv {

std::optional<MapImageFormat> MapImageFormatOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (extension == ".bmp") return MapImageFormat::Bmp;
  if (extension == ".png") return MapImageFormat::Png;
  if (extension == ".svg") return MapImageFormat::Svg;
  return std::nullopt;
}

}  // namespace qv
