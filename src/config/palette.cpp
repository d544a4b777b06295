#include "config/palette.h"

#include <array>

namespace fendo {
namespace {

struct PaletteEntry {
  std::string_view name;
  Rgb colour;
};

// Row i is palette index i.
constexpr std::array<PaletteEntry, kPaletteSize> kPalette = {{
    {"White", {255, 255, 255}},
    {"Blue", {0, 0, 255}},
    {"Green", {0, 255, 0}},
    {"Cyan", {0, 255, 255}},
    {"Red", {255, 0, 0}},
    {"Magenta", {255, 0, 255}},
    {"Yellow", {255, 255, 0}},
    {"Gray", {192, 192, 192}},
    {"DarkBlue", {0, 0, 128}},
    {"DarkGreen", {0, 128, 0}},
    {"DarkCyan", {0, 128, 128}},
    {"DarkRed", {128, 0, 0}},
    {"DarkMagenta", {128, 0, 128}},
    {"DarkYellow", {128, 128, 0}},
    {"DarkGray", {128, 128, 128}},
    {"Black", {0, 0, 0}},
}};

// Index 0 is white, the colour of every index outside the palette.
constexpr int kOutsideIndex = 0;

const PaletteEntry& EntryOf(int index) {
  return kPalette[index >= 0 && index < kPaletteSize ? index : kOutsideIndex];
}

}  // namespace

Rgb PaletteColour(int index) { return EntryOf(index).colour; }

std::string_view PaletteName(int index) { return EntryOf(index).name; }

}  // namespace fendo
