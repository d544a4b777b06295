// fendo-batch info: for each program the toolpath information (lengths, extents, cutting
// time, highest feed), the records by kind and the header data, as text or one JSON object
// per program. Lengths and feeds are in the unit the program states (G20/G21), mm when it
// states none; a program that switches units part way is warned of.
#include <array>
#include <bit>
#include <charconv>

#include "cli/batch_program.h"
#include "cli/json_writer.h"
#include "core/statistics.h"
#include "core/text_encoding.h"
#include "feed/motion_planner.h"

namespace fendo {
namespace {

// What info is asked for besides the files.
struct InfoRequest {
  bool json = false;  // one JSON object a program instead of the text
};

constexpr Option<InfoRequest> kInfoOptions[] = {
    {"--json", "", "One JSON object per program, one a line.", Turn<&InfoRequest::json, true>},
};

using KindCounts = std::array<long long, kAllMoveKinds.size()>;

KindCounts CountKinds(ToolpathDatabase& db) {
  KindCounts counts{};
  db.ForEachRecord([&counts](int, const ToolpathRecord& r) {
    for (std::size_t k = 0; k < kAllMoveKinds.size(); ++k) {
      if (kAllMoveKinds[k] == r.kind) ++counts[k];
    }
  });
  return counts;
}

std::string Fixed(double v, int decimals = 3) {
  char digits[64];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals).ptr);
}

std::string_view StatusName(LoadStatus status) {
  switch (status) {
    case LoadStatus::Ok: return "ok";
    case LoadStatus::CannotOpen: return "cannot-open";
    case LoadStatus::NotProgram: return "not-a-program";
    case LoadStatus::ReadFailed: return "read-failed";
    case LoadStatus::RecordLimit: return "record-limit";
    case LoadStatus::OutOfMemory: return "out-of-memory";
    case LoadStatus::OtherDialect: return "other-dialect";
  }
  return "unknown";
}

// The comment lines of a program on one line, separated by " | ". The comment is kept in the
// bytes it was read in; info shows it in UTF-8.
std::string OneLine(std::string_view comment) {
  std::string text;
  while (!comment.empty()) {
    const std::size_t end = comment.find("\r\n");
    if (!text.empty()) text += " | ";
    text += comment.substr(0, end);
    comment.remove_prefix(end == std::string_view::npos ? comment.size() : end + 2);
  }
  return text;
}

std::string ExtentsText(const Extents& e) {
  if (e.empty()) return "none";
  return "X " + Fixed(e.min.x) + " .. " + Fixed(e.max.x) + "   Y " + Fixed(e.min.y) + " .. " + Fixed(e.max.y) +
         "   Z " + Fixed(e.min.z) + " .. " + Fixed(e.max.z);
}

std::string ExtentsJson(const Extents& e) {
  if (e.empty()) return "null";
  const auto triple = [](Point3 p) {
    std::string text = "[";
    text.append(JsonNumber(p.x)).append(",").append(JsonNumber(p.y)).append(",").append(JsonNumber(p.z));
    return text + "]";
  };
  std::string json = "{\"min\":";
  json.append(triple(e.min)).append(",\"max\":").append(triple(e.max));
  return json + "}";
}

constexpr std::string_view kUnitChangesText =
    "the program states another unit after its first move: its numbers, read as they stand, are in both units";

// What the arcs say of a program whose I, J, K look like absolute centres; the suggestion to
// read it so.
std::string AbsoluteCentresText(const ArcCentreCounts& counts) {
  return "look absolute: " + std::to_string(counts.offsetMisfits) + " of " + std::to_string(counts.arcs) +
         " arcs with I J K miss their radius by more than " + Fixed(ArcCentreCheck::kRadiusTolerance) +
         " read as offsets, " + std::to_string(counts.absoluteFits) +
         " of them fit as absolute centres; read with --arc-centres absolute (\"Arc 중심 절대좌표\" in the "
         "settings)";
}

constexpr std::array<std::pair<unsigned, double Point3::*>, 3> kAxisNames = {
    {{kAxisX, &Point3::x}, {kAxisY, &Point3::y}, {kAxisZ, &Point3::z}}};
constexpr std::string_view kAxisLetters = "XYZ";

// "Z 50.000": the axes the first moves took from a later block, with the values taken.
std::string LateAxesText(const LateAxes& late) {
  std::string text;
  for (std::size_t a = 0; a < kAxisNames.size(); ++a) {
    if (!(late.axes & kAxisNames[a].first)) continue;
    if (!text.empty()) text += ", ";
    text.append(1, kAxisLetters[a]).append(" ").append(Fixed(late.values.*kAxisNames[a].second));
  }
  return "the first moves take " + text + " (the program moved before it stated " +
         (std::popcount(late.axes) == 1 ? "this axis" : "these axes") + "; the first value stated is taken)";
}

std::string LateAxesJson(const LateAxes& late) {
  JsonObject json;
  for (std::size_t a = 0; a < kAxisNames.size(); ++a) {
    if (late.axes & kAxisNames[a].first) json.Add(std::string(1, kAxisLetters[a]), late.values.*kAxisNames[a].second);
  }
  return json.str();
}

std::string DialectJson(const DialectCheck& check, bool readAsHeidenhain) {
  JsonObject json;
  json.Add("looksLike", readAsHeidenhain ? "ISO" : "Heidenhain")
      .Add("moves", static_cast<long long>(check.moves))
      .Add("arcs", static_cast<long long>(check.arcs))
      .Add("otherMoves", static_cast<long long>(check.otherMoves))
      .Add("otherArcs", static_cast<long long>(check.otherArcs));
  return json.str();
}

std::string ArcCentresJson(const ArcCentreCheck& check) {
  JsonObject json;
  json.Add("arcs", static_cast<long long>(check.counts.arcs))
      .Add("offsetMisfits", static_cast<long long>(check.counts.offsetMisfits))
      .Add("absoluteFits", static_cast<long long>(check.counts.absoluteFits))
      .AddRaw("looksAbsolute", check.looksAbsolute ? "true" : "false");
  return json.str();
}

void PrintText(const std::string& file, const LoadedProgram& program, const KindCounts& kinds,
               const DynamicTime& dynamic, std::ostream& out) {
  const ToolpathDatabase& db = *program.db;
  const ToolpathStatistics& s = db.statistics;
  const LayerSlot& layer = db.layers[db.layers.workLayer];
  // Lengths and feeds in the program's unit; one that states none shows them in mm.
  const LengthUnit unit = UnitOrMillimetres(layer.unit.stated);
  const std::string length = std::string(" ").append(LengthUnitName(unit));
  std::string kindList;
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    if (kinds[k] == 0) continue;
    if (!kindList.empty()) kindList += ", ";
    kindList.append(MoveKindName(kAllMoveKinds[k])).append(" ").append(std::to_string(kinds[k]));
  }
  const auto row = [&out](std::string_view label, const std::string& value) {
    out << "  " << label << std::string(label.size() < 20 ? 20 - label.size() : 1, ' ') << value << '\n';
  };
  out << file << '\n';
  row("records", std::to_string(db.recordCount) + (kindList.empty() ? "" : "   (" + kindList + ")"));
  if (layer.unit.stated) row("unit", std::string(LengthUnitName(unit)));
  if (layer.unit.changes) row("warning", std::string(kUnitChangesText));
  row("rapid length", Fixed(s.rapidLength) + length);
  row("rapid extents", ExtentsText(s.rapidExtents));
  row("feed length", Fixed(s.feedLength) + length);
  row("cutting time", Fixed(s.cuttingTime) + " min");
  row("dynamic time", Fixed(dynamic.cutting) + " min");
  row("rapid time", Fixed(dynamic.rapid) + " min");
  row("feed extents", ExtentsText(s.feedExtents));
  row("highest feed", std::to_string(s.highestFeed).append(" ").append(FeedUnitName(unit)));
  row("program (O)", std::to_string(layer.programNumber));
  row("tool (T)", std::to_string(layer.toolNumber));
  row("length offset (H)", std::to_string(layer.lengthOffset));
  row("spindle (S)", std::to_string(layer.spindle));
  row("comment", OneLine(DecodeToUtf8(layer.comment)));
  row("lines", std::to_string(program.result.lines) + " read, " + std::to_string(program.result.invalidLines) +
                   " invalid, " + std::to_string(program.result.skippedLines) + " not interpreted");
  if (program.result.outOfReachLines > 0) {
    row("out of reach", std::to_string(program.result.outOfReachLines) +
                            " of the invalid lines move beyond ±" + Fixed(ToolpathDatabase::kCoordinateLimit, 0) +
                            " mm and are left out");
  }
  if (program.result.shortRadiusArcs > 0) {
    row("short R arcs", std::to_string(program.result.shortRadiusArcs) +
                            " with R shorter than half the chord, read as half circles: a control refuses them");
  }
  if (program.result.droppedWords > 0) {
    row("dropped words",
        std::to_string(program.result.droppedWords) + " (a negative F); the rest of their blocks stand");
  }
  if (program.result.lateAxes.axes != 0) row("first position", LateAxesText(program.result.lateAxes));
  if (program.result.dialect.otherDialect) {
    row("dialect", OtherDialectText(program.result.dialect, db.options.heidenhainInputChk));
  }
  if (program.result.drillingCycleBlocks > 0) {
    row("drilling cycles", std::to_string(program.result.drillingCycleBlocks) + " blocks expanded into moves, " +
                               std::to_string(program.result.drillingCycleHoles) + " holes");
  }
  const ArcCentreCheck& centres = program.result.arcCentres;
  if (centres.looksAbsolute) row("arc centres", AbsoluteCentresText(centres.counts));
  if (!program.result.ok()) row("status", std::string(StatusName(program.result.status)));
}

void PrintJson(const std::string& file, const LoadedProgram& program, const KindCounts& kinds,
               const DynamicTime& dynamic, std::ostream& out) {
  const ToolpathDatabase& db = *program.db;
  const ToolpathStatistics& s = db.statistics;
  const LayerSlot& layer = db.layers[db.layers.workLayer];
  JsonObject kindObject;
  for (std::size_t k = 0; k < kinds.size(); ++k) kindObject.Add(MoveKindName(kAllMoveKinds[k]), kinds[k]);
  JsonObject json;
  json.Add("file", file)
      .Add("status", StatusName(program.result.status))
      .Add("records", db.recordCount)
      .AddRaw("kinds", kindObject.str())
      .Add("rapidLength", s.rapidLength)
      .AddRaw("rapidExtents", ExtentsJson(s.rapidExtents))
      .Add("feedLength", s.feedLength)
      .Add("cuttingTime", s.cuttingTime)
      .Add("dynamicTime", dynamic.cutting)
      .Add("rapidTime", dynamic.rapid)
      .AddRaw("feedExtents", ExtentsJson(s.feedExtents))
      .Add("highestFeed", s.highestFeed)
      .Add("programNumber", layer.programNumber)
      .Add("toolNumber", layer.toolNumber)
      .Add("lengthOffset", layer.lengthOffset)
      .Add("spindle", layer.spindle);
  if (layer.unit.stated) {
    json.Add("unit", LengthUnitName(*layer.unit.stated));
  } else {
    json.AddRaw("unit", "null");
  }
  json.AddRaw("unitChanges", layer.unit.changes ? "true" : "false")
      .Add("comment", DecodeToUtf8(layer.comment))
      .Add("lines", static_cast<long long>(program.result.lines))
      .Add("invalidLines", static_cast<long long>(program.result.invalidLines))
      .Add("skippedLines", static_cast<long long>(program.result.skippedLines))
      .Add("drillingCycleBlocks", static_cast<long long>(program.result.drillingCycleBlocks))
      .Add("drillingCycleHoles", static_cast<long long>(program.result.drillingCycleHoles))
      .Add("outOfReachLines", static_cast<long long>(program.result.outOfReachLines))
      .Add("droppedWords", static_cast<long long>(program.result.droppedWords))
      .Add("shortRadiusArcs", static_cast<long long>(program.result.shortRadiusArcs))
      .AddRaw("firstPositionTaken", program.result.lateAxes.axes ? LateAxesJson(program.result.lateAxes) : "null")
      .AddRaw("dialect", program.result.dialect.otherDialect
                             ? DialectJson(program.result.dialect, db.options.heidenhainInputChk)
                             : "null")
      .AddRaw("arcCentres", ArcCentresJson(program.result.arcCentres));
  out << json.str() << '\n';
}

}  // namespace

const OptionGroup& InfoOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<InfoRequest>(kInfoOptions));
  return group;
}

int RunInfo(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.empty()) {
    streams.err << "fendo-batch: info needs at least one file (see fendo-batch --help)\n";
    return 2;
  }
  InfoRequest request;
  std::string switchesOnly;
  ApplyOptions(args, kInfoOptions, request, switchesOnly);
  const NcOptions options = ReaderOptions(args, streams.err);
  int status = 0;
  TextBlocks blocks(streams.out);
  for (const std::string& file : args.files) {
    const LoadedProgram program = LoadProgram(file, options, streams);
    if (!program.result.ok()) status = 1;
    if (program.result.refused()) continue;
    const KindCounts kinds = CountKinds(*program.db);
    // An inch program's lengths and feeds are inches: the machine is planned in inches too.
    const bool inches = UnitOrMillimetres(program.db->layers[program.db->layers.workLayer].unit.stated) == LengthUnit::Inch;
    const DynamicTime dynamic = PlanMotion(*program.db, InProgramUnit({}, inches ? kMillimetresPerInch : 1));
    if (request.json) {
      PrintJson(file, program, kinds, dynamic, streams.out);
    } else {
      PrintText(file, program, kinds, dynamic, blocks.Next());
    }
  }
  streams.out.flush();
  return status;
}

}  // namespace fendo
