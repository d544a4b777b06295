#pragma once

namespace fendo {

// What a whole-program edit did. NoRoom: the result would pass the record limit (or its memory
// could not be had), so the toolpath was left exactly as it was and the user is told so.
enum class EditOutcome {
  Changed,    // the records changed; one undo snapshot was pushed before
  Unchanged,  // there was nothing to do; no snapshot
  NoRoom,     // nothing changed
  Refused,    // a value out of its range: nothing changed
};

}  // namespace fendo
