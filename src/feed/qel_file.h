#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "feed/machine_condition.h"

namespace fendo {

// *.qel: the feed optimizer's parameters as a text file, the only way they outlive a run.
//
// One "key value" line per setting, each ending in CR LF, in a fixed order: the nine cutting
// conditions first (tool diameter, safety distance, corner and slope angles and reductions,
// plunge feed, maximum feed, material), then the flags, the feed unit, the weights and the two
// ratios. Reals are written with six decimals, whole numbers as they are. The keys are written
// in UTF-8; the nine leading keys are Korean words, but reading takes those nine lines by their
// position without looking at the keys, so a file whose keys were written in another encoding
// reads the same. After line nine come word pairs, recognised by key in any case; a pair whose
// key is not a setting (QelByMaster among them: it is written for the record and never read
// back) is passed over.

enum class QelFileStatus {
  Done,
  CannotOpen,    // reading: the file is missing, a folder, unreadable or too large for a *.qel
  Malformed,     // reading: a setting without its value, with one that is not its number or
                 // one outside its range (named by its label, with the line and its text)
  NotOneWord,    // writing: the material is empty or holds white space, so it could not be read
                 // back; nothing was written
  CannotCreate,  // writing: the file could not be created; nothing was written
  WriteFailed,   // writing stopped part way (a full disk); the file there was is kept
};

struct QelFileResult {
  QelFileStatus status = QelFileStatus::Done;
  std::string reason;  // for the user: which file, which line, and the system's words

  bool ok() const { return status == QelFileStatus::Done; }
};

// The text of the *.qel file of `condition`.
std::string FormatQelText(const MachineCondition& condition);

// Reads the settings of a *.qel text into `condition`: all of them, or none when the text is
// malformed (a half-read file would mix two machines' settings without anyone noticing). The
// settings the text does not name after line nine keep their values. Blank lines are passed
// over.
QelFileResult ParseQelText(std::string_view text, MachineCondition& condition);

// ParseQelText on the file's content; `condition` is unchanged when the file cannot be read.
QelFileResult ReadQelFile(const std::filesystem::path& path, MachineCondition& condition);

// Writes the file whole. A material that is not one word is refused before anything is
// written; a write that fails part way leaves the file there was as it was (a truncated *.qel
// could read as other settings).
QelFileResult WriteQelFile(const std::filesystem::path& path, const MachineCondition& condition);

// Where the *.qel open and save dialogs start: "*.qel" in QelDirectory.
std::filesystem::path QelDialogStart(const MachineCondition& condition);

}  // namespace fendo
