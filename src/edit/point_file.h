#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/point3.h"
#include "core/user_prompts.h"  // kCannotOpenFileText, the message shown when a point file cannot be used

namespace fendo {

// The polygons of a point file (*.poi), in file order, each as its vertices (x, y, z). Nothing,
// with `error` saying why (the line number of a bad vertex line), when the file cannot be
// read or holds a vertex line that is not three numbers.
std::optional<std::vector<std::vector<Point3>>> ReadPointFile(const std::filesystem::path& path, std::string& error);

// The same for the file's text. A polygon opens with a line whose first word is "start" and
// closes with one whose first word is "end" (either in any case); every line between gives one
// vertex as three numbers. Lines outside polygons and blank lines are skipped; a polygon still
// open at the end of the text ends there. Polygons come as they stand, however few vertices
// they have: the trims decide what a polygon needs.
std::optional<std::vector<std::vector<Point3>>> ParsePointText(std::string_view text, std::string& error);

}  // namespace fendo
