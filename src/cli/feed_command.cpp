// fendo-batch feed: one feed change, then the program written with the writer's defaults (or
// the output options given).
#include <algorithm>
#include <optional>
#include <span>
#include <variant>

#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "feed/arc_radius_feed.h"
#include "feed/ff_cut.h"
#include "feed/machine_condition_feed.h"
#include "feed/move_length_feed.h"
#include "feed/set_all_feeds.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

constexpr std::string_view kArcOptions[] = {"--min-radius", "--min-radius-feed", "--max-radius",
                                            "--max-radius-feed", "--distance", "--set-all"};
constexpr std::string_view kLengthOptions[] = {"--min-length", "--min-length-feed", "--max-length",
                                               "--max-length-feed", "--set-all"};
constexpr std::string_view kMachineOptions[] = {"--baud", "--max-feed", "--min-feed", "--rapid-feed",
                                                "--unit", "--weight", "--no-smooth", "--no-set-all"};
constexpr std::string_view kFfCutOptions[] = {"--first-feed", "--second-feed", "--second-layer"};

// The feed changes and the options that belong to each.
struct FeedOperation {
  std::string_view flag;
  std::span<const std::string_view> options;
};
constexpr FeedOperation kOperations[] = {
    {"--by-arc", kArcOptions}, {"--by-length", kLengthOptions}, {"--machine", kMachineOptions},
    {"--all", {}},             {"--ff-cut", kFfCutOptions},
};

// --all: the whole-path feed.
struct WholePathFeed {
  double value = 0;  // mm/min
};

using FeedChange = std::variant<ArcRadiusFeedOptions, MoveLengthFeedOptions, MachineFeedOptions, WholePathFeed, FfCutOptions>;

// The one operation given; nothing, with `error`, when there is not exactly one or an option of
// another operation is given with it.
const FeedOperation* ChosenOperation(const BatchArguments& args, std::string& error) {
  const FeedOperation* chosen = nullptr;
  int given = 0;
  for (const FeedOperation& operation : kOperations) {
    if (!args.Has(std::string(operation.flag))) continue;
    ++given;
    chosen = &operation;
  }
  if (given != 1) {
    error = "feed takes one input, -o OUT and exactly one of --by-arc, --by-length, --machine, --all and --ff-cut";
    return nullptr;
  }
  for (const FeedOperation& operation : kOperations) {
    for (std::string_view option : operation.options) {
      if (!args.Has(std::string(option)) || std::ranges::find(chosen->options, option) != chosen->options.end()) continue;
      error = std::string(option) + " belongs to " + std::string(operation.flag) + ", not to " + std::string(chosen->flag);
      return nullptr;
    }
  }
  return chosen;
}

template <typename Options>
bool InRange(const Options& options, std::string& error) {
  if (!error.empty()) return false;
  if (const std::optional<OptionOutOfRange> range = CheckRanges(options)) error = range->message;
  return error.empty();
}

std::optional<FeedChange> ArcChange(const BatchArguments& args, std::string& error) {
  ArcRadiusFeedOptions o;
  if (const auto v = NumberOption(args, "--min-radius", error)) o.minRadius = *v;
  if (const auto v = IntegerOption(args, "--min-radius-feed", error)) o.minRadiusFeed = *v;
  if (const auto v = NumberOption(args, "--max-radius", error)) o.maxRadius = *v;
  if (const auto v = IntegerOption(args, "--max-radius-feed", error)) o.maxRadiusFeed = *v;
  if (const auto v = NumberOption(args, "--distance", error)) o.distance = *v;
  if (const auto v = IntegerOption(args, "--set-all", error)) {
    o.setAllFirst = true;
    o.setAllFeed = *v;
  }
  if (!InRange(o, error)) return std::nullopt;
  return o;
}

std::optional<FeedChange> LengthChange(const BatchArguments& args, std::string& error) {
  MoveLengthFeedOptions o;
  if (const auto v = NumberOption(args, "--min-length", error)) o.minLength = *v;
  if (const auto v = IntegerOption(args, "--min-length-feed", error)) o.minLengthFeed = *v;
  if (const auto v = NumberOption(args, "--max-length", error)) o.maxLength = *v;
  if (const auto v = IntegerOption(args, "--max-length-feed", error)) o.maxLengthFeed = *v;
  if (const auto v = IntegerOption(args, "--set-all", error)) {
    o.setAllFirst = true;
    o.setAllFeed = *v;
  }
  if (!InRange(o, error)) return std::nullopt;
  return o;
}

std::optional<FeedChange> MachineChange(const BatchArguments& args, std::string& error) {
  MachineFeedOptions o;
  const std::string& name = args.values.at("--machine");
  const std::optional<int> machine = FindMachine(name);
  if (!machine) {
    error = "--machine takes one of";
    for (const MachineBuffer& m : kMachines) error += (m.name == kMachines.front().name ? " " : ", ") + std::string(m.name);
    error += ", not \"" + name + "\"";
    return std::nullopt;
  }
  o.machine = *machine;
  if (const auto v = IntegerOption(args, "--baud", error)) o.baudRate = *v;
  if (const auto v = IntegerOption(args, "--max-feed", error)) o.maxFeed = *v;
  if (const auto v = IntegerOption(args, "--min-feed", error)) o.minFeed = *v;
  if (const auto v = IntegerOption(args, "--rapid-feed", error)) o.rapidFeed = *v;
  if (const auto v = IntegerOption(args, "--unit", error)) o.feedUnit = *v;
  if (const auto v = IntegerOption(args, "--weight", error)) o.cncWeight = *v;
  if (args.Has("--no-smooth")) o.smooth = false;
  if (args.Has("--no-set-all")) o.setAllFirst = false;
  if (!InRange(o, error)) return std::nullopt;
  return o;
}

std::optional<FeedChange> WholeChange(const BatchArguments& args, std::string& error) {
  const std::optional<double> value = NumberOption(args, "--all", error);
  if (!value) return std::nullopt;
  if (const std::optional<OptionOutOfRange> range = CheckFeedValue(kWholePathFeedLabel, *value)) {
    error = range->message;
    return std::nullopt;
  }
  return WholePathFeed{*value};
}

std::optional<FeedChange> FfCutChange(const BatchArguments& args, std::string& error) {
  FfCutOptions o;
  if (const auto v = IntegerOption(args, "--first-feed", error)) o.firstFeed = *v;
  if (const auto v = IntegerOption(args, "--second-feed", error)) o.secondFeed = *v;
  if (const auto v = IntegerOption(args, "--second-layer", error)) {
    o.secondToLayer = true;
    o.secondLayer = *v;
  }
  if (!InRange(o, error)) return std::nullopt;
  return o;
}

std::optional<FeedChange> ParseFeedChange(const BatchArguments& args, std::string_view operation, std::string& error) {
  if (operation == "--by-arc") return ArcChange(args, error);
  if (operation == "--by-length") return LengthChange(args, error);
  if (operation == "--machine") return MachineChange(args, error);
  if (operation == "--all") return WholeChange(args, error);
  return FfCutChange(args, error);
}

// Runs the change on the loaded program. False when it could not be done (nothing changed).
bool Apply(ToolpathDatabase& db, const FeedChange& change) {
  struct {
    ToolpathDatabase& db;
    bool operator()(const ArcRadiusFeedOptions& o) const { return ChangeFeedsByArcRadius(db, o); }
    bool operator()(const MoveLengthFeedOptions& o) const { return ChangeFeedsByMoveLength(db, o); }
    bool operator()(const MachineFeedOptions& o) const { return ChangeFeedsByMachineCondition(db, o); }
    bool operator()(const WholePathFeed& o) const { return ChangeWholePathFeed(db, o.value); }
    bool operator()(const FfCutOptions& o) const { return FfCut(db, o); }
  } apply{db};
  return std::visit(apply, change);
}

// The layer FF CUT put the even paths in when that is not the work layer.
std::optional<int> SecondLayer(const ToolpathDatabase& db, const FeedChange& change) {
  const FfCutOptions* ffCut = std::get_if<FfCutOptions>(&change);
  if (!ffCut || !ffCut->secondToLayer || ffCut->secondLayer == db.layers.workLayer) return std::nullopt;
  return ffCut->secondLayer;
}

}  // namespace

int RunFeed(const BatchArguments& args, const BatchStreams& streams) {
  std::string error;
  const FeedOperation* operation = nullptr;
  if (args.files.size() != 1 || !args.Has("-o")) {
    error = "feed takes one input, -o OUT and exactly one feed change";
  } else {
    operation = ChosenOperation(args, error);
  }
  if (!operation) {
    streams.err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
    return 2;
  }
  const std::optional<FeedChange> change = ParseFeedChange(args, operation->flag, error);
  if (!change) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }

  LoadedProgram program = OpenProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
  if (!program.result.ok()) return 1;
  ToolpathDatabase& db = *program.db;
  const std::optional<int> secondLayer = SecondLayer(db, *change);
  NcOutputOptions output = secondLayer ? LayerOutputOptions(db) : NcOutputOptions{};
  if (!secondLayer) PresetFromWorkLayer(db, output);
  if (!ApplyOutputFlags(args, output, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  if (!Apply(db, *change)) {
    streams.err << "fendo-batch: " << operation->flag
                << ": the result would not fit in memory or in the work buffer; nothing was changed\n";
    return 1;
  }
  BatchPrompts prompts(streams.err, args.Has("--yes"));
  const WriteResult result = secondLayer
                                 ? WriteLayerNcProgram(db, {db.layers.workLayer, *secondLayer}, output, prompts)
                                 : WriteNcProgram(db, output, prompts);
  return ReportWriteResult(result, output.outputPath, streams.err);
}

}  // namespace fendo
