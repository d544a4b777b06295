// fendo-batch master: builds the master model of a finished part from the program that
// finishes it and writes it as a *.mma file (master build), or tells what a *.mma file holds
// (master info).
#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "cli/terminal_progress.h"
#include "feed/master_file.h"
#include "feed/master_model_build.h"

namespace fendo {
namespace {

std::string Fixed(double v, int decimals = 3) {
  char digits[400];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals).ptr);
}

std::string GridText(const MasterModel& model) {
  return std::to_string(model.columns) + " x " + std::to_string(model.rows) + " cells of " + Fixed(model.cellSize) +
         " mm";
}

// The area the grid covers, in world coordinates.
std::string AreaText(const MasterModel& model) {
  return "X " + Fixed(model.originX) + " .. " + Fixed(model.originX + model.extentX) + "   Y " +
         Fixed(model.originY) + " .. " + Fixed(model.originY + model.extentY);
}

// The "Master Model" dialog's three values, and the file the model goes to.
constexpr Option<MasterModelInputs> kMasterBuildOptions[] = {
    {kOutputFlag, "FILE.mma", "The master model file to write (created or replaced)."},
    {"--tool", "D", "Tool diameter in mm (default {default}, {range}).", Store<&MasterModelInputs::toolDiameter>,
     "toolDiameter"},
    {"--allowance", "A", "Stock allowance in mm (default {default}, {range}).",
     Store<&MasterModelInputs::stockAllowance>, "stockAllowance"},
    {"--tolerance", "T", "Cell size of the model in mm (default {default}, {range}).",
     Store<&MasterModelInputs::tolerance>, "tolerance"},
};

// The dialog's three values from their options. False, with `error`, for a malformed value or
// one out of range.
bool BuildInputs(const BatchArguments& args, MasterModelInputs& inputs, std::string& error) {
  if (!ApplyOptions(args, kMasterBuildOptions, inputs, error)) return false;
  if (const std::optional<OptionOutOfRange> range = CheckRanges(inputs)) error = range->message;
  return error.empty();
}

// Cells with a height, by the steepness of the wall they stand on (degrees).
struct WallBand {
  int lowest;
  int highest;
};
constexpr std::array<WallBand, 7> kWallBands = {
    {{0, 0}, {1, 15}, {16, 30}, {31, 45}, {46, 60}, {61, 75}, {76, 90}}};

void PrintMasterInfo(const std::string& file, const MasterModel& model, std::ostream& out) {
  std::array<long long, kWallBands.size()> bands{};
  long long filled = 0;
  float lowest = 0, highest = 0;
  for (const MasterCell& cell : model.cells) {
    if (cell.empty()) continue;
    lowest = filled == 0 ? cell.top : std::min(lowest, cell.top);
    highest = filled == 0 ? cell.top : std::max(highest, cell.top);
    ++filled;
    for (std::size_t b = 0; b < kWallBands.size(); ++b) {
      if (cell.wallAngle >= kWallBands[b].lowest && cell.wallAngle <= kWallBands[b].highest) ++bands[b];
    }
  }
  const auto row = [&out](std::string_view label, const std::string& value) {
    out << "  " << label << std::string(label.size() < 20 ? 20 - label.size() : 1, ' ') << value << '\n';
  };
  std::string walls;
  for (std::size_t b = 0; b < kWallBands.size(); ++b) {
    if (!walls.empty()) walls += "   ";
    walls.append(std::to_string(kWallBands[b].lowest));
    if (kWallBands[b].highest != kWallBands[b].lowest) walls.append("-").append(std::to_string(kWallBands[b].highest));
    walls.append(": ").append(std::to_string(bands[b]));
  }
  out << file << '\n';
  row("grid", GridText(model) + " (" + std::to_string(model.cellCount) + " cells)");
  row("area", AreaText(model));
  row("toolpath Z", Fixed(model.minZ) + " .. " + Fixed(model.maxZ));
  row("tool size", Fixed(model.toolSize) + " mm");
  row("cells with height", std::to_string(filled) + " (" + Fixed(100.0 * filled / model.cellCount, 1) + " %)" +
                               (filled == 0 ? "" : ", Z " + Fixed(lowest) + " .. " + Fixed(highest)));
  row("wall angles (deg)", walls);
}

}  // namespace

const OptionGroup& MasterBuildOptionGroup() {
  static const OptionGroup group = std::move(
      OptionGroup("options").Add<MasterModelInputs>(kMasterBuildOptions, MasterModelInputRanges()));
  return group;
}

int RunMasterBuild(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    streams.err << "fendo-batch: master build takes one input and -o FILE.mma (see fendo-batch --help)\n";
    return 2;
  }
  if (OutputIsAnInput(args, streams.err)) return 2;
  MasterModelInputs inputs;
  std::string error;
  if (!BuildInputs(args, inputs, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  const std::string& input = args.files.front();
  LoadedProgram program = LoadProgram(input, ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  BatchPrompts prompts(streams.err, false);
  MasterBuildResult built;
  {
    std::optional<TerminalProgress> progress;
    if (streams.terminal) progress.emplace(streams.err);
    built = BuildMasterModel(*program.db, inputs, prompts, progress ? &*progress : nullptr);
  }
  if (!built.ok()) {
    streams.err << "fendo-batch: " << input << ": no master model was built: " << built.reason << '\n';
    return 1;
  }
  const std::string& output = args.values.at(std::string(kOutputFlag));
  if (const FileStatus status = WriteMasterFile(output, built.model); !status) {
    streams.err << "fendo-batch: " << output << ": cannot write: " << status.reason << '\n';
    return 1;
  }
  const MasterModel& model = built.model;
  streams.out << output << ": " << GridText(model) << " over " << AreaText(model) << "   Z " << Fixed(model.minZ)
              << " .. " << Fixed(model.maxZ) << '\n';
  return 0;
}

int RunMasterInfo(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.empty()) {
    streams.err << "fendo-batch: master info needs at least one file (see fendo-batch --help)\n";
    return 2;
  }
  int status = 0;
  for (const std::string& file : args.files) {
    MasterModel model;
    if (const FileStatus read = ReadMasterFile(file, model); !read) {
      streams.err << "fendo-batch: " << file << ": not a master model that can be read: " << read.reason << '\n';
      status = 1;
      continue;
    }
    PrintMasterInfo(file, model, streams.out);
  }
  return status;
}

}  // namespace fendo
