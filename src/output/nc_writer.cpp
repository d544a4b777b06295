// The fixed NC writer: the work buffer (or a list of layers) as an ISO or Heidenhain program.
//
// A program is written as header, comment, start position, tool block, one line per motion
// record that moves or changes the feed, and footer. Words are modal: an axis is written only
// when its value differs from the last written position, a feed only when it differs from the
// last written feed (reset after every rapid move, so that the first cut writes its F), G00 and
// G02/G03 and the plane word only when they change. Numbers are written with three decimals
// (four in an inch program), exactly as printf writes them in the C locale.
//
// This file walks the records and asks the dialect's writer (NcDialectWriter: nc_writer_iso.cpp,
// nc_writer_heidenhain.cpp) for each part; the modal state both dialects keep is NcWriterState.
// Arcs keep their geometry: the axis normal to the arc's plane is written when it changes (a
// helix), and each dialect writes the arc as far as it can describe it.
#include "output/nc_writer.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/output_file.h"
#include "core/statistics.h"
#include "core/toolpath_database.h"
#include "output/nc_dialect_writer.h"
#include "output/write_progress.h"

namespace fendo {
namespace {

// The writer of the dialect the options ask for; the chord tolerance (mm) is taken into the
// program's unit.
std::unique_ptr<NcDialectWriter> MakeDialectWriter(const NcOutputOptions& options, double chordTolerance,
                                                   OutputFile& file, UserPrompts& prompts) {
  if (options.unit == LengthUnit::Inch) chordTolerance /= kMillimetresPerInch;
  if (options.heidenhain) return MakeHeidenhainWriter(options, chordTolerance, file, prompts);
  return MakeIsoWriter(options, file, prompts);
}

// The first motion record of `count` records, if there is one.
template <typename RecordAt>
std::optional<CursorRecord> FirstMotion(int count, RecordAt at) {
  for (int i = 0; i < count; ++i) {
    if (IsMotionKind(at(i).kind)) return ToCursor(at(i));
  }
  return std::nullopt;
}

// Writes records 0 … count−1 (`at(i)` gives record i) and leaves in `last` the last motion
// record as written. After a rapid move the next cut writes its feed, or (for the layer output)
// the feed is taken from the rapid record when it is the one last written. False when the user
// stopped the run.
template <typename RecordAt>
bool WriteRecords(NcDialectWriter& writer, int count, RecordAt at, bool feedFromRapids, CursorRecord& last,
                  WriteProgress& progress) {
  for (int i = 0; i < count; ++i) {
    progress.Step();
    CursorRecord cursor = ToCursor(at(i));
    switch (cursor.kind) {
      case MoveKind::RapidStart:
      case MoveKind::Rapid: {
        const bool written = cursor.kind == MoveKind::RapidStart ? writer.WriteRapidStart(cursor)
                                                                 : writer.WriteRapid(cursor);
        if (!written) return false;
        writer.FeedAfterRapid(feedFromRapids, cursor.feed);
        break;
      }
      case MoveKind::FeedStart:
      case MoveKind::Feed:
        writer.WriteLinear(cursor, cursor.kind == MoveKind::FeedStart);
        writer.set_lastFeed(cursor.feed);
        break;
      case MoveKind::ArcCw:
      case MoveKind::ArcCcw: {
        const ToolpathRecord centre = i + 1 < count ? at(i + 1) : ToolpathRecord{};
        const ArcPlane plane = PlaneOfCentreKind(centre.kind);
        const bool continued = writer.lastKind() == cursor.kind && writer.lastPlane() == plane;
        writer.WriteArc(cursor, PositionOf(centre), plane, continued);
        writer.set_lastFeed(cursor.feed);
        break;
      }
      default:
        continue;
    }
    writer.Moved(cursor, PositionOf(at(i)));
    last = cursor;
  }
  return true;
}

WriteResult Finish(NcDialectWriter& writer, OutputFile& file, bool completed) {
  WriteResult result = writer.result();
  const FileStatus closed = file.Close();
  if (!closed) {
    result.status = WriteStatus::WriteFailed;
    result.reason = closed.reason;
  } else if (!completed) {
    result.status = WriteStatus::Stopped;
  }
  return result;
}

// Why the layers cannot be written as one program: the first layer in another unit than the
// first layer of the list, which sets the program's. Nothing when they agree.
std::optional<std::string> MixedUnits(const LayerTable& layerTable, const std::vector<int>& layers) {
  const LengthUnit unit = UnitOrMillimetres(layerTable[layers.front()].unit.stated);
  for (int slot : layers) {
    const LengthUnit other = UnitOrMillimetres(layerTable[slot].unit.stated);
    if (other == unit) continue;
    return "layer " + std::to_string(layers.front()) + " is in " + std::string(LengthUnitName(unit)) + ", layer " +
           std::to_string(slot) + " in " + std::string(LengthUnitName(other));
  }
  return std::nullopt;
}

// A program without motion: its start line would invent a rapid move to X0 Y0 Z0.
WriteResult NothingToWrite() { return {.status = WriteStatus::NoMotion, .reason = std::string(kNothingToWriteText)}; }

WriteResult CannotCreate(const OutputFile& file) {
  WriteResult result;
  result.status = WriteStatus::CannotCreate;
  result.reason = file.status().reason;
  return result;
}

}  // namespace

WriteResult WriteNcProgram(ToolpathDatabase& db, const NcOutputOptions& options, UserPrompts& prompts,
                           Progress* progress) {
  const auto at = [&db](int i) { return *db.RecordAt(i); };
  const std::optional<CursorRecord> first = FirstMotion(db.recordCount, at);
  if (!first) return NothingToWrite();
  LayerSlot& layer = db.layers[db.layers.workLayer];
  layer.layerName = options.outputPath;
  db.options.heidenhainOutChk = options.heidenhain;

  OutputFile file(options.outputPath);
  if (!file.ok()) return CannotCreate(file);
  const std::unique_ptr<NcDialectWriter> dialect = MakeDialectWriter(options, db.chordTolerance, file, prompts);
  NcDialectWriter& writer = *dialect;
  if (options.machiningInfo) {
    ComputeStatistics(db);
    writer.SetExtents(db.statistics.feedExtents);
  }
  writer.WriteHeader();
  writer.WriteComment();
  writer.WriteStartPosition(*first);
  writer.WriteToolBlock(*first);
  writer.ResetPosition(kNcFeedAfterRapid);
  writer.ResetRun();
  CursorRecord last = *first;
  WriteProgress written(progress, db.recordCount);
  const bool completed = WriteRecords(writer, db.recordCount, at, false, last, written);
  if (completed) writer.WriteFooter(last);
  return Finish(writer, file, completed);
}

WriteResult WriteLayerNcProgram(ToolpathDatabase& db, const std::vector<int>& layers, const NcOutputOptions& options,
                                UserPrompts& prompts, Progress* progress) {
  if (layers.empty()) return NothingToWrite();
  if (std::optional<std::string> mixed = MixedUnits(db.layers, layers)) {
    return {.status = WriteStatus::MixedUnits, .reason = std::move(*mixed)};
  }
  db.SaveToLayer(db.layers.workLayer);

  // A slot's records as the work buffer would give them: out-of-range ones as None records.
  const auto slotRecords = [&db](int slot) {
    const RecordBlock& block = db.layers[slot].points;
    return [records = block.data()](int i) {
      const ToolpathRecord& r = records[i];
      return ToolpathDatabase::IsOutOfRange(r) ? ToolpathRecord{} : r;
    };
  };
  const auto firstMotionOf = [&](int slot) {
    return FirstMotion(db.layers[slot].pointCount(), slotRecords(slot));
  };
  // A layer without motion adds nothing: its start line would be a rapid move to X0 Y0 Z0.
  std::optional<CursorRecord> programStart;
  for (int slot : layers) {
    programStart = firstMotionOf(slot);
    if (programStart) break;
  }
  if (!programStart) return NothingToWrite();

  NcOutputOptions program = options;
  program.unit = db.layers[layers.front()].unit.stated;
  OutputFile file(options.outputPath);
  if (!file.ok()) return CannotCreate(file);
  const std::unique_ptr<NcDialectWriter> dialect = MakeDialectWriter(program, db.chordTolerance, file, prompts);
  NcDialectWriter& writer = *dialect;

  std::int64_t total = 0;
  for (int slot : layers) {
    if (firstMotionOf(slot)) total += db.layers[slot].pointCount();
  }
  WriteProgress written(progress, total);

  writer.WriteHeader();
  writer.ResetPosition(0);
  CursorRecord last = *programStart;
  for (int slot : layers) {
    const std::optional<CursorRecord> first = firstMotionOf(slot);
    if (!first) continue;
    const LayerSlot& layer = db.layers[slot];
    NcOutputOptions& run = writer.options();
    run.comment = layer.comment;
    run.toolChange = layer.toolNumber != 0;
    run.toolNumber = layer.toolNumber;
    run.lengthOffset = layer.lengthOffset;
    if (layer.spindle != 0) run.spindleSpeed = layer.spindle;
    writer.WriteComment();
    writer.WriteStartPosition(*first);
    writer.WriteToolBlock(*first);
    writer.ResetRun();
    if (!WriteRecords(writer, layer.pointCount(), slotRecords(slot), true, last, written)) {
      return Finish(writer, file, false);
    }
  }
  writer.WriteFooter(last);
  return Finish(writer, file, true);
}

std::vector<int> ParseLayerList(std::string_view text) {
  constexpr std::size_t kMostEntries = LayerTable::kSlots;
  std::vector<int> layers;
  const auto add = [&layers](long long slot) {
    if (layers.size() < kMostEntries && LayerTable::IsSlot(static_cast<int>(slot))) layers.push_back(static_cast<int>(slot));
  };
  std::size_t i = 0;
  while (i < text.size()) {
    i = text.find_first_not_of(" \t\r\n", i);
    if (i == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t\r\n", i), text.size());
    const std::string_view token = text.substr(i, end - i);
    i = end;
    const std::size_t dash = token.find('-');
    const auto number = [](std::string_view digits) {
      long long value = 0;
      for (std::size_t k = 0; k < digits.size() && value < LayerTable::kSlots && std::isdigit(static_cast<unsigned char>(digits[k])); ++k) {
        value = value * 10 + (digits[k] - '0');
      }
      return value;
    };
    if (dash == std::string_view::npos) {
      add(number(token));
      continue;
    }
    const long long first = number(token.substr(0, dash));
    const long long lastLayer = number(token.substr(dash + 1));
    for (long long slot = first; slot <= lastLayer && layers.size() < kMostEntries; ++slot) add(slot);
  }
  return layers;
}

}  // namespace fendo
