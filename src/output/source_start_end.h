#pragma once

#include <filesystem>
#include <string>

namespace fendo {

// The start and end part of a source program, to be written around new toolpaths in place of
// the generated header and footer. Each holds whole lines, each ending in a line feed.
struct SourceStartEnd {
  std::string start;  // everything up to the approach of the first cut
  std::string end;    // the final retract and what follows it
};

// Takes the parts from the program at `path`. The start part is every line up to the first
// rapid move, then the lines up to the first cutting move (G01/G02/G03), without a last line
// that moves neither X nor Y (the plunge approach); a start part longer than 50 lines is not a
// header, and then neither part is used. The end part is taken from the last 500 bytes: from
// the last rapid line that moves Z (and not X or Y) to the end. Lines holding both "(" and
// "/" count as comments and are left out. An unreadable source gives empty parts.
SourceStartEnd ExtractSourceStartEnd(const std::filesystem::path& path);

}  // namespace fendo
