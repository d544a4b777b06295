#include "cli/batch_commands.h"

#include <algorithm>

#include "cli/batch_program.h"
#include "cli/output_flags.h"

namespace fendo {
namespace {

int RunHelp(const BatchArguments&, const BatchStreams& streams) {
  streams.out << BatchUsage();
  return 0;
}

// filter and master build read with the program's own options or the first three reader options:
// --arcs-to-lines names one of the filter's operations.
constexpr OptionGroupUse kReader{ReaderOptionGroup};
constexpr OptionGroupUse kReaderBeforeArcsToLines{ReaderOptionGroup, 3};
constexpr OptionGroupUse kOutput{OutputOptionGroup};

constexpr BatchCommand kCommands[] = {
    {"info", "", "info FILE...",
     "For each program: the records by kind, the rapid and feed lengths and\n"
     "extents, the estimated cutting time (minutes), the highest feed, the\n"
     "header data (program O, tool T, length offset H, spindle S, comment) and\n"
     "how many lines were invalid or not interpreted (parameters, cycles,\n"
     "functions, polar and machine-coordinate moves); and whether the arcs'\n"
     "I J K look like absolute centres where they were read as offsets.\n"
     "Lengths and feeds are in the unit the program states (G20 inch, G21\n"
     "mm), mm when it states none.",
     RunInfo, {kReader, {InfoOptionGroup}}},
    {"dump", "", "dump FILE",
     "Every record of the work buffer after loading, one a line:\n"
     "\"index kind x y z feed\" - the kind as its number (0 None, 1 RapidStart,\n"
     "2 Rapid, 3 FeedStart, 4 Feed, 6 ArcCcw, 8 ArcCw, 91/92/93 the centre of\n"
     "the arc before it in XY/ZX/YZ, holding I J K), x y z with four\n"
     "decimals, the feed in mm/min. Nothing else is written to standard output.",
     RunDump, {kReader}},
    {"convert", "", "convert IN... -o OUT",
     "Writes the program as NC data with the fixed writer (or a template).\n"
     "With several inputs each is read into its own layer (0, 1, ...) and the\n"
     "layers are written as one program, each with its own comment, tool and\n"
     "spindle, in the unit of the first; layers in another unit are refused.",
     RunConvert, {kReader, kOutput, {ConvertOptionGroup}}},
    {"layers", "", "layers IN...",
     "Reads each program into its own layer (0, 1, ...) and prints per layer\n"
     "its number, name, file, program O, tool T, length offset H, spindle S\n"
     "and records.",
     RunLayers, {kReader, {LayersOptionGroup}}},
    {"check", "", "check IN...",
     "The pre-flight check of \"공구경로 체크\": prints per program what a control\n"
     "refuses (errors) and what the drawn path does not show as the machine\n"
     "will run it (warnings), by kind with the record and the source line.\n"
     "Exits 1 when an error was found.",
     RunCheck, {kReader, {CheckOptionGroup}}},
    {"filter", "", "filter IN -o OUT", "Filters or converts the program with one operation, then writes it.", RunFilter,
     {kReaderBeforeArcsToLines, kOutput, {FilterOptionGroup}}},
    {"optimize", "", "optimize IN -o OUT",
     "Runs the feed optimizer on the program, prints what it did, and writes it.", RunOptimize,
     {kReader, kOutput, {OptimizeOptionGroup}}},
    {"feed", "", "feed IN -o OUT", "Changes the program's feeds with one feed change, then writes it.", RunFeed,
     {kReader, kOutput, {FeedOptionGroup}}},
    {"edit", "", "edit IN -o OUT",
     "Edits the program with one of the desktop program's toolpath edits\n"
     "(deletes, reverse, start points, plunges, subdivision, Z-up), prints\n"
     "the records before and after, and writes it.",
     RunEdit, {kReader, kOutput, {EditOptionGroup}}},
    {"corners", "", "corners IN -o OUT --angle A --distance D [--subdivide H]",
     "\"코너부위를 트림한다.\": keeps only the corner regions as cuts, where a\n"
     "path turns upward (from a wall onto a floor, from a floor up a wall) by\n"
     "more than A degrees, as far as D mm along the path; every other cut\n"
     "becomes a rapid move and the rapid moves are rebuilt. Arcs are turned\n"
     "into straight moves (within 0.005 mm) first. Prints the records before\n"
     "and after, and writes the program.",
     RunCorners, {kReader, kOutput, {CornersOptionGroup}}},
    {"transform", "", "transform IN -o OUT",
     "Moves, turns, mirrors or scales the program as \"공구경로 이동및 복사\"\n"
     "does, in place or with copies appended, prints the records before and\n"
     "after, and writes it.",
     RunTransform, {kReader, kOutput, {TransformOptionGroup}}},
    {"sort", "", "sort IN -o OUT",
     "Re-orders the paths as \"공구경로 정렬\" does to shorten the rapid\n"
     "moves, prints the records and the rapid length before and after, and\n"
     "writes it.",
     RunSort, {kReader, kOutput, {SortOptionGroup}}},
    {"trim", "", "trim IN -o OUT",
     "Trims the program against a rectangle, a circle or the polygons of a\n"
     "point file, removing what lies inside (--inside) or outside (--outside)\n"
     "it, or against a Z band, removing what lies outside it (--z). Cuts stop\n"
     "on the boundary, the tool retracts there and comes back down where the\n"
     "path re-enters. Prints the records before and after, and writes it.",
     RunTrim, {kReader, kOutput, {TrimOptionGroup}}},
    {"offset", "", "offset IN -o OUT",
     "Shifts what lies in a region of the program by the offset, joined to\n"
     "the rest by a step where a move crosses the region's edge, prints the\n"
     "records before and after, and writes it.",
     RunOffset, {kReader, kOutput, {OffsetOptionGroup}}},
    {"contour", "", "contour IN -o OUT",
     "\"등고선 공구경로 생성\": replaces the program by Z-level contours of its\n"
     "path. Planes every --z-spacing below --top-z down to --bottom-z cut the\n"
     "linear feed moves; each plane's points are linked by nearest neighbour\n"
     "from the start point into paths that bridge gaps up to --max-link, each\n"
     "entered from safeZ and closed back to its start when it comes round.\n"
     "Arcs are turned into straight moves (within 0.005 mm) first. Prints the\n"
     "records before and after, and writes the program.",
     RunContour, {kReader, kOutput, {ContourOptionGroup}}},
    {"pencil", "", "pencil IN -o OUT",
     "\"펜슬\": replaces the program by pencil paths along its concave corners\n"
     "(where a path bends upward; arcs read as chords within 0.005 mm), one\n"
     "path along each corner, prints the records before and after, the\n"
     "corners found and the pencil paths, and writes it. A program without\n"
     "corners is written unchanged.",
     RunPencil, {kReader, kOutput, {PencilOptionGroup}}},
    {"generate", "pocket", "generate pocket -o OUT [--append-to IN]",
     "\"Pocket\": a rectangular, rounded or circular pocket cleared from the\n"
     "centre outward in counter-clockwise loops, level by level from the\n"
     "start height down to the depth; prints the records and any levels the\n"
     "offsets left out, and writes the program.",
     RunGeneratePocket, {kReader, kOutput, {PocketOptionGroup}}},
    {"generate", "profile", "generate profile -o OUT [--append-to IN]",
     "\"Profile\": outlines of a rectangle, a rounded rectangle or a circle,\n"
     "on it or in passes inside or outside it, level by level; prints the\n"
     "records and any levels left out, and writes the program.",
     RunGenerateProfile, {kReader, kOutput, {ProfileOptionGroup}}},
    {"generate", "face", "generate face -o OUT [--append-to IN]",
     "\"Face\": one-way facing passes over a rectangle at the cutting height;\n"
     "prints the records and writes the program.",
     RunGenerateFace, {kReader, kOutput, {FaceOptionGroup}}},
    {"master", "build", "master build IN -o FILE.mma",
     "Builds the master model (the height grid the feed optimizer slows\n"
     "down by) from a program that finishes the part, and writes it.",
     RunMasterBuild, {kReaderBeforeArcsToLines, {MasterBuildOptionGroup}}},
    {"master", "info", "master info FILE.mma...",
     "For each master model file: the grid, the area it covers and the\n"
     "heights, how many cells hold a height, and how many stand on walls of\n"
     "each steepness.",
     RunMasterInfo},
    {"generate", "radial", "generate radial -o OUT [--append-to IN]",
     "\"방사선\": spokes over a ring, each cut from the outer circle in to the\n"
     "inner one at the cutting height, entered straight down and left by a\n"
     "retract; 2π·(outer radius) / stepover of them, counter-clockwise from\n"
     "+X. Prints the records before and after, and writes the program.",
     RunGenerateRadial, {kReader, kOutput, {RingOptionGroup}}},
    {"generate", "spiral", "generate spiral -o OUT [--append-to IN]",
     "\"나선형\": a spiral over a ring, counter-clockwise from the inner circle\n"
     "(cut whole first; from the centre when the inner diameter is 0.2 or\n"
     "less) out to the outer circle (cut whole last), its points within the\n"
     "chord tolerance 0.001 of the circles. Prints the records before and\n"
     "after, and writes the program.",
     RunGenerateSpiral, {kReader, kOutput, {RingOptionGroup}}},
    {"radial-spacing", "", "radial-spacing IN -o OUT",
     "\"방사선 간격조절\": shortens the spokes of a radial program at their inner\n"
     "ends so that near the centre they stay the minimum spacing apart; the\n"
     "parts cut away become retracts and rapid moves. Arcs are turned into\n"
     "straight moves (within 0.005 mm) first. Prints the records before and\n"
     "after, and writes the program.",
     RunRadialSpacing, {kReader, kOutput, {RadialSpacingOptionGroup}}},
    {"render", "", "render IN -o OUT.png",
     "Draws the program as the toolpath view shows it, fitted to the image,\n"
     "and writes the picture as PNG.",
     RunRender, {kReader, {RenderOptionGroup}}},
    {"help", "", "help", "This text.", RunHelp},
};

// -h and --help print the help whatever else is given; the words after -- are files.
constexpr Option<BatchArguments> kGeneralOptions[] = {
    {kShortHelpFlag, "", "This text.", {}, {}, kHelpFlag},
    {kFilesFollowFlag, "", "The arguments after it are files."},
};

// The options of `command`, group by group, within the rows it takes of each.
std::vector<const OptionEntry*> Entries(const BatchCommand& command) {
  std::vector<const OptionEntry*> entries;
  for (const OptionGroupUse& use : command.groups) {
    if (!use.group) continue;
    const std::vector<OptionEntry>& group = use.group().entries();
    const std::size_t rows = std::min(use.rows, group.size());
    for (std::size_t i = 0; i < rows; ++i) entries.push_back(&group[i]);
  }
  return entries;
}

}  // namespace

std::string BatchCommand::FullName() const {
  return subcommand.empty() ? std::string(name) : std::string(name) + " " + std::string(subcommand);
}

std::span<const BatchCommand> BatchCommands() { return kCommands; }

const BatchCommand* FindCommand(std::string_view name, std::string_view subcommand) {
  const auto found = std::ranges::find_if(
      kCommands, [&](const BatchCommand& c) { return c.name == name && c.subcommand == subcommand; });
  return found == std::ranges::end(kCommands) ? nullptr : &*found;
}

bool TakesSubcommand(std::string_view name) {
  return std::ranges::any_of(kCommands,
                             [&](const BatchCommand& c) { return c.name == name && !c.subcommand.empty(); });
}

const OptionEntry* FindOption(const BatchCommand& command, std::string_view flag) {
  for (const OptionEntry* entry : Entries(command)) {
    if (entry->flag == flag || entry->twin == flag) return entry;
  }
  return nullptr;
}

std::optional<std::string> UnmetNeed(const BatchCommand& command, const BatchArguments& args) {
  const std::vector<const OptionEntry*> entries = Entries(command);
  const auto met = [&args](const OptionEntry* entry) { return entry->needs.empty() || args.Has(entry->needs); };
  for (const OptionEntry* entry : entries) {
    const std::string_view flag = args.Has(entry->flag) ? entry->flag : entry->twin;
    if (flag.empty() || !args.Has(flag) || met(entry)) continue;
    // An option several operations take (feed's --set-all) is met by any of them.
    if (std::ranges::any_of(entries, [&](const OptionEntry* other) { return other->flag == entry->flag && met(other); })) {
      continue;
    }
    return std::string(flag) + (entry->depth > 0 ? " belongs to " : " needs ") + std::string(entry->needs);
  }
  return std::nullopt;
}

const OptionGroup& GeneralOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("Other options").Add<BatchArguments>(kGeneralOptions));
  return group;
}

}  // namespace fendo
