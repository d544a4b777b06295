// *.poi text: the reader must survive any bytes and either refuse the text with a reason or
// give polygons of finite vertices, the text's vertex lines all kept.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "edit/point_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto polygons = fendo::ParsePointText(text, error);
  if (!polygons) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  std::size_t vertices = 0;
  for (const auto& polygon : *polygons) {
    for (const fendo::Point3& v : polygon) {
      if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) __builtin_trap();
    }
    vertices += polygon.size();
  }
  // Every vertex stands on a line of its own.
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n';
  if (vertices > lines) __builtin_trap();
  return 0;
}
