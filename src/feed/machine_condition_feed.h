#pragma once

#include "core/toolpath_record.h"
#include "feed/machine_feed_options.h"

namespace fendo {

class ToolpathDatabase;

// The estimated length in characters of the NC block that moves from `previous` to `record`
// (a move `moveLength` mm long, along the arc for an arc): the coordinates that change with
// their digits and sign, the G word, a changed feed, the arc's centre words. 0 for a move
// shorter than 0.0001 mm, which is never sent.
int BlockLength(const ToolpathRecord& previous, const ToolpathRecord& record, double moveLength);

// Seconds a block of `characters` takes to send at `baud` (a start bit, eight data bits and a
// stop bit a character), and seconds a move of `length` mm takes to run at `feed` mm/min.
double TransmissionTime(int characters, double baud);
double RunTime(double length, int feed);

// Lowers the feeds so that the machine's block buffer, fed over a serial link, does not run
// dry: F_max first when asked, then the pass (cap at F_max, the buffer walk, rounding to the
// feed unit, smoothing) once, and a second time when smoothing is on. Every feed written is
// at least 1 mm/min. False, with nothing changed, when a value is out of range.
bool ChangeFeedsByMachineCondition(ToolpathDatabase& db, const MachineFeedOptions& options);

}  // namespace fendo
