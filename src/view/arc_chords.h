#pragma once

#include <algorithm>

#include "core/arc_rule.h"

namespace fendo {

// How many chords an arc is drawn with at `scale` pixels per mm: int(length × scale / 3 + 1),
// about one every 3 pixels, so that small arcs cost few lines. Capped where a chord is far
// below a pixel anyway.
inline int ArcDrawChords(const Arc& arc, double scale) {
  constexpr double kPixelsPerChord = 3;
  constexpr double kMostChords = 100000;
  const double wanted = arc.length * scale / kPixelsPerChord + 1;
  return std::max(1, static_cast<int>(std::min(wanted, kMostChords)));
}

}  // namespace fendo
