#include "view/pens.h"

#include <array>

namespace fendo {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// Row i is pen i as it is on a black background.
constexpr std::array<Pen, kPenCount> kPens = {{
    {kBlack},                            // 0 palette "Black"
    {kWhite},                            // 1 feed band 1, palette "White", default
    {{200, 200, 200}},                   // 2 feed band 2
    {{255, 0, 0}},                       // 3 feed band 7 (slowest), palette "Red"
    {{128, 0, 0}},                       // 4 palette "DarkRed"
    {{255, 0, 0}, LineStyle::Dashed},    // 5 rapid moves
    {{200, 0, 0}, LineStyle::Dashed},    // 6
    {{0, 255, 0}},                       // 7 feed band 3, axes, palette "Green"
    {{0, 128, 0}},                       // 8 feed band 4, palette "DarkGreen"
    {{0, 0, 255}},                       // 9 feed band 6, feed-less drawing, palette "Blue"
    {{0, 0, 128}},                       // 10 feed band 5, palette "DarkBlue"
    {{200, 200, 0}},                     // 11
    {{200, 200, 0}},                     // 12 selected records
    {{255, 255, 0}},                     // 13 palette "Yellow"
    {{255, 0, 255}},                     // 14 palette "Magenta"
    {{128, 128, 0}},                     // 15 palette "DarkYellow"
    {{128, 0, 128}},                     // 16 palette "DarkMagenta"
    {{0, 255, 255}},                     // 17 palette "Cyan"
    {{0, 128, 128}},                     // 18 palette "DarkCyan"
    {{192, 192, 192}},                   // 19 palette "Gray"
    {{128, 128, 128}},                   // 20 palette "DarkGray"
}};

// Entry i is the pen of palette index i ("White", "Blue", "Green", … "Black").
constexpr std::array<int, kPaletteSize> kPaletteIndexPens = {1, 9, 7, 17, 3, 14, 13, 19, 10, 8, 18, 4, 16, 15, 20, 0};

// The two pens whose colours change places with the background.
constexpr int kBlackPen = 0;
constexpr int kWhitePen = 1;

}  // namespace

Pen ViewPen(int number, bool backgroundInverted) {
  if (number < 0 || number >= kPenCount) number = kDefaultPen;
  if (backgroundInverted && number == kBlackPen) return {kWhite};
  if (backgroundInverted && number == kWhitePen) return {kBlack};
  return kPens[number];
}

Rgb BackgroundColour(bool backgroundInverted) { return backgroundInverted ? kWhite : kBlack; }

int PaletteIndexPen(int paletteIndex) {
  return paletteIndex >= 0 && paletteIndex < kPaletteSize ? kPaletteIndexPens[paletteIndex] : kWhitePen;
}

}  // namespace fendo
