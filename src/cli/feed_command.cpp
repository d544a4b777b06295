// fendo-batch feed: one feed change, then the program written with the writer's defaults (or
// the output options given).
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

// --all: the whole-path feed.
struct WholePathFeed {
  double value = 0;  // mm/min
};

constexpr FieldRange<WholePathFeed> kWholePathRanges[] = {
    {"feed", kWholePathFeedLabel, kLowestFeedValue, kHighestFeedValue, [](const WholePathFeed& f) { return f.value; }},
};
std::span<const FieldRange<WholePathFeed>> WholePathRanges() { return kWholePathRanges; }

std::optional<OptionOutOfRange> CheckRanges(const WholePathFeed& feed) {
  return CheckFieldRanges<WholePathFeed>(feed, kWholePathRanges);
}

// "fanuc0m": a machine of the list, letter case aside. False, with `error`, for another name.
bool ReadMachine(MachineFeedOptions& options, std::string_view name, std::string& error) {
  const std::optional<int> machine = FindMachine(name);
  if (!machine) {
    error = "--machine takes one of";
    for (const MachineBuffer& m : kMachines) error += (m.name == kMachines.front().name ? " " : ", ") + std::string(m.name);
    error += ", not \"" + std::string(name) + "\"";
    return false;
  }
  options.machine = *machine;
  return true;
}

// Each feed change: its flag first, then the options that belong to it.
constexpr Option<ArcRadiusFeedOptions> kByArc[] = {
    {"--by-arc", "",
     "Arcs of radius R1 ... R2 get the feed between F1 and F2 that goes with\n"
     "their radius; a straight move next to such an arc, no longer than the\n"
     "distance S, is slowed to the arc's feed. With:"},
    {"--min-radius", "R1", "(default {default}, {range})", Store<&ArcRadiusFeedOptions::minRadius>, "minRadius"},
    {"--min-radius-feed", "F1", "(default {default}, {range})", Store<&ArcRadiusFeedOptions::minRadiusFeed>,
     "minRadiusFeed"},
    {"--max-radius", "R2", "(default {default}, {range})", Store<&ArcRadiusFeedOptions::maxRadius>, "maxRadius"},
    {"--max-radius-feed", "F2", "(default {default}, {range})", Store<&ArcRadiusFeedOptions::maxRadiusFeed>,
     "maxRadiusFeed"},
    {"--distance", "S", "(default {default}, {range})", Store<&ArcRadiusFeedOptions::distance>, "distance"},
    {"--set-all", "F", "every move gets F first ({range})",
     [](ArcRadiusFeedOptions& o, int feed) {
       o.setAllFirst = true;
       o.setAllFeed = feed;
     },
     "setAllFeed"},
};

constexpr Option<MoveLengthFeedOptions> kByLength[] = {
    {"--by-length", "",
     "Straight moves of length D1 ... D2 get the feed between F1 and F2 that\n"
     "goes with their length, when the move before or after is such a move\n"
     "too (a single short move keeps its feed). With:"},
    {"--min-length", "D1", "(default {default}, {range})", Store<&MoveLengthFeedOptions::minLength>, "minLength"},
    {"--min-length-feed", "F1", "(default {default}, {range})", Store<&MoveLengthFeedOptions::minLengthFeed>,
     "minLengthFeed"},
    {"--max-length", "D2", "(default {default}, {range})", Store<&MoveLengthFeedOptions::maxLength>, "maxLength"},
    {"--max-length-feed", "F2", "(default {default}, {range})", Store<&MoveLengthFeedOptions::maxLengthFeed>,
     "maxLengthFeed"},
    {"--set-all", "F", "every move gets F first ({range})",
     [](MoveLengthFeedOptions& o, int feed) {
       o.setAllFirst = true;
       o.setAllFeed = feed;
     },
     "setAllFeed"},
};

constexpr Option<MachineFeedOptions> kByMachine[] = {
    {"--machine", "NAME",
     "Slows the moves whose blocks a DNC link could not deliver before the\n"
     "machine's block buffer runs dry. NAME (letter case aside) and its\n"
     "buffer: Machine0 2 blocks, Fanuc0M 5, Fanuc15M 30, Machine1 10,\n"
     "Machine2 20, ... Machine9 90. With:",
     ReadMachine},
    {"--baud", "N", "2400, 4800, 9600 (default), 19200, 38400 or 56800", Store<&MachineFeedOptions::baudRate>},
    {"--max-feed", "F", "no cutting move faster (default {default}, {range})", Store<&MachineFeedOptions::maxFeed>,
     "maxFeed"},
    {"--min-feed", "F", "no move slowed below it (default {default}, {range})", Store<&MachineFeedOptions::minFeed>,
     "minFeed"},
    {"--rapid-feed", "F", "the machine's rapid rate (default {default}, {range})",
     Store<&MachineFeedOptions::rapidFeed>, "rapidFeed"},
    {"--unit", "U", "feeds become multiples of U (default {default}, {range}; 0 rounds nothing)",
     Store<&MachineFeedOptions::feedUnit>, "feedUnit"},
    {"--weight", "W",
     "CNC weight (default {default}, {range}): the buffer counts as\n"
     "b + (W - 50) * b / 50 blocks, at least 1",
     Store<&MachineFeedOptions::cncWeight>, "cncWeight"},
    {"--no-smooth", "", "no smoothing of dips and steps, and one pass instead of two",
     Turn<&MachineFeedOptions::smooth, false>},
    {"--no-set-all", "", "start from the program's feeds instead of giving every move --max-feed",
     Turn<&MachineFeedOptions::setAllFirst, false>},
};

constexpr Option<WholePathFeed> kWholePath[] = {
    {"--all", "F", "Every move gets F ({range}).", Store<&WholePathFeed::value>, "feed"},
};

constexpr Option<FfCutOptions> kFfCut[] = {
    {"--ff-cut", "",
     "The odd paths (1st, 3rd, ...) at the first feed, followed by the even\n"
     "paths at the second feed. With:"},
    {"--first-feed", "F", "(default {default}, {range})", Store<&FfCutOptions::firstFeed>, "firstFeed"},
    {"--second-feed", "F", "(default {default}, {range})", Store<&FfCutOptions::secondFeed>, "secondFeed"},
    {"--second-layer", "N",
     "the even paths go to layer N ({range}; 0 is the program's own);\n"
     "another layer is written after layer 0 in one program",
     [](FfCutOptions& o, int layer) {
       o.secondToLayer = true;
       o.secondLayer = layer;
     },
     "secondLayer"},
};

using FeedChange = std::variant<ArcRadiusFeedOptions, MoveLengthFeedOptions, MachineFeedOptions, WholePathFeed, FfCutOptions>;

// A feed change as the command line gives it: its flag, how its options are read, and its part
// of the help.
struct FeedOperation {
  std::string_view flag;
  // The change the options ask for; nothing, with `error`, for a malformed value or one out of
  // range.
  std::optional<FeedChange> (*read)(const BatchArguments& args, std::string& error);
  void (*describe)(OptionGroup& group);
};

template <typename O, const auto& rows, auto ranges>
FeedOperation Operation() {
  return {
      rows[0].flag,
      [](const BatchArguments& args, std::string& error) -> std::optional<FeedChange> {
        O options;
        if (!ApplyOptions(args, rows, options, error)) return std::nullopt;
        if (const std::optional<OptionOutOfRange> range = CheckRanges(options)) {
          error = range->message;
          return std::nullopt;
        }
        return options;
      },
      [](OptionGroup& group) { group.AddOperation<O>(rows, ranges()); }};
}

const std::vector<FeedOperation>& Operations() {
  static const std::vector<FeedOperation> operations = {
      Operation<ArcRadiusFeedOptions, kByArc, ArcRadiusFeedRanges>(),
      Operation<MoveLengthFeedOptions, kByLength, MoveLengthFeedRanges>(),
      Operation<MachineFeedOptions, kByMachine, MachineFeedRanges>(),
      Operation<WholePathFeed, kWholePath, WholePathRanges>(),
      Operation<FfCutOptions, kFfCut, FfCutRanges>(),
  };
  return operations;
}

// The one operation given; nothing, with `error`, when there is not exactly one. An option of
// another operation is refused as the command line is read.
const FeedOperation* ChosenOperation(const BatchArguments& args, std::string& error) {
  const FeedOperation* chosen = nullptr;
  int given = 0;
  std::vector<std::string> flags;
  for (const FeedOperation& operation : Operations()) {
    flags.emplace_back(operation.flag);
    if (!args.Has(operation.flag)) continue;
    ++given;
    chosen = &operation;
  }
  if (given == 1) return chosen;
  error = "feed takes one input, -o OUT and exactly one of " + JoinedList(flags, " and ");
  return nullptr;
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

const OptionGroup& FeedOptionGroup() {
  static const OptionGroup group = [] {
    OptionGroup changes("changes (exactly one; feeds in mm/min, lengths in mm)");
    for (const FeedOperation& operation : Operations()) operation.describe(changes);
    return changes;
  }();
  return group;
}

int RunFeed(const BatchArguments& args, const BatchStreams& streams) {
  std::string error;
  const FeedOperation* operation = nullptr;
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    error = "feed takes one input, -o OUT and exactly one feed change";
  } else {
    operation = ChosenOperation(args, error);
  }
  if (!operation) {
    streams.err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
    return 2;
  }
  const std::optional<FeedChange> change = operation->read(args, error);
  if (!change) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }

  LoadedProgram program = LoadProgram(args.files.front(), ReaderOptions(args, streams.err), streams);
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
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  const WriteResult result = secondLayer
                                 ? WriteLayerNcProgram(db, {db.layers.workLayer, *secondLayer}, output, prompts)
                                 : WriteNcProgram(db, output, prompts);
  return ReportWriteResult(result, output.outputPath, streams.err);
}

}  // namespace fendo
