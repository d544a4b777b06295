#pragma once

#include "core/arc_rule.h"

namespace fendo {

// How the writer states an arc. A machine control refuses some arcs outright: one without a
// radius, one whose end lies off the circle its start and centre make, and, in R words, any
// arc that R cannot name (a full turn has no chord, half a turn lies exactly at R's limit and
// any rounding below it is refused). Such arcs are written by their centre offsets where those
// state them exactly, else as a straight feed to the end point, and the writer counts them.
enum class ArcForm {
  AsAsked,    // the dialect's own arc words, R or I/J/K as the options ask
  ByOffsets,  // I/J/K whatever the options ask: R cannot name the arc
  AsLine,     // a straight feed to the end point: no arc words state it
};

// The lengths a run writes in, in the program's unit.
struct ArcFormPrecision {
  double place;           // the last digit written
  double endTolerance;    // start and end radii further apart than this make no arc
};

// The form of `arc` as held (start, end and centre as the writer reads them) when the run
// writes arcs by R words (`radiusWords`) or by their centres.
ArcForm ChooseArcForm(const Arc& arc, bool radiusWords, const ArcFormPrecision& precision);

}  // namespace fendo
