#pragma once

#include <cstdint>
#include <string_view>

namespace fendo {

// The 16 colours a layer can be drawn in; color.par names them by their index.

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kPaletteSize = 16;

// The colour of palette index `index`; any index outside 0..15 draws white, as index 0.
Rgb PaletteColour(int index);

// The name of the colour PaletteColour(index) gives ("White" outside 0..15).
std::string_view PaletteName(int index);

}  // namespace fendo
