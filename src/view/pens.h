#pragma once

#include "config/palette.h"
#include "view/canvas.h"

namespace fendo {

// The view's pens by number. Pens 0 and 1 (black and white) swap when the background is
// inverted, so that "White" lines stay visible on a white background.
inline constexpr int kPenCount = 21;
inline constexpr int kRapidPen = 5;         // dashed red: rapid moves
inline constexpr int kAxisPen = 7;          // green: the axes, selected arcs drawn by layer colour
inline constexpr int kFeedlessPen = 9;      // blue: feed moves while there is no work feed
inline constexpr int kSelectedPen = 12;     // selected records
inline constexpr int kDefaultPen = 1;       // white: the first feed band
inline constexpr int kHighlightPen = 14;    // magenta: the picked move, path or point
inline constexpr int kToolPen = 17;         // cyan: the tool symbol

// Pen `number` (0..20; any other number is the default pen).
Pen ViewPen(int number, bool backgroundInverted);

// Black, or white when inverted.
Rgb BackgroundColour(bool backgroundInverted);

// The pen drawing palette colour `paletteIndex` (its "White" and "Black" follow the inversion).
int PaletteIndexPen(int paletteIndex);

}  // namespace fendo
