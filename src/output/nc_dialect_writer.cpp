#include "output/nc_dialect_writer.h"

#include <cmath>

#include "core/arc_centre_mode.h"
#include "core/decimal.h"
#include "core/user_prompts.h"

namespace fendo {
namespace {

constexpr double kRapidRate = 5000;        // mm/min, rapid moves in the time estimate
constexpr int kLastSequenceNumber = 9999;  // numbering runs 1 … 10000, then 1 again

constexpr std::string_view kDiagonalFound = " 사선으로 이동 되는 급속이송이 발견 되었습니다!!!.";
constexpr std::string_view kStopQuestion = " 중지 하겠습니까?";
constexpr std::string_view kFendoCaption = "Fendo message";

}  // namespace

NcDialectWriter::NcDialectWriter(const NcOutputOptions& options, OutputFile& file, UserPrompts& prompts,
                                 LineNumbers numbers)
    : options_(options),
      format_(options.unit == LengthUnit::Inch ? kInchFormat : kMillimetreFormat),
      file_(file),
      prompts_(prompts),
      numbers_(numbers) {}

void NcDialectWriter::WriteArc(CursorRecord& cursor, Point3 offsets, ArcPlane plane, bool continued) {
  const Arc arc = MeasureArc(state_.held, cursor.position(), offsets, cursor.kind, plane);
  const ArcFormPrecision precision{.place = format_.place,
                                   .endTolerance = ArcCentreCheck::kRadiusTolerance / format_.millimetres};
  const ArcForm form = ChooseArcForm(arc, options_.ijkToR && !options_.heidenhain, precision);
  if (form == ArcForm::AsLine) {
    ++result_.arcsAsLines;
    // G01 goes with it unless a straight cut is in force.
    const bool starting = !IsLinearFeedKind(state_.lastKind);
    cursor.kind = starting ? MoveKind::FeedStart : MoveKind::Feed;
    WriteLinear(cursor, starting);
    return;
  }
  if (form == ArcForm::ByOffsets) ++result_.arcsByOffsets;
  WriteMeasuredArc(cursor, arc, continued, form);
  state_.lastPlane = plane;
}

Point3 NcDialectWriter::AsWritten(Point3 p, int decimals) const {
  const auto read = [decimals](double v) {
    std::string text;
    AppendFixed(text, v, decimals);
    return ParseDecimalPrefix(text).value;
  };
  return {read(p.x), read(p.y), read(p.z)};
}

void NcDialectWriter::WriteNcLine(std::string_view text) {
  if (numbers_.on) {
    ++state_.lineCounter;
    file_.Write(numbers_.prefix);
    number_.clear();
    AppendInteger(number_, state_.lineCounter);
    file_.Write(number_);
    if (state_.lineCounter > kLastSequenceNumber) state_.lineCounter = 0;
  }
  file_.Write(text);
  file_.Write("\n");
}

void NcDialectWriter::LoadSourceStartEnd() {
  if (options_.useSourceStartEnd) source_ = ExtractSourceStartEnd(options_.sourcePath);
}

bool NcDialectWriter::ConfirmRapid(Point3 p) {
  if (!options_.diagonalRapidCheck || !state_.positioned) return true;
  const Point3 d = state_.last - p;
  const bool diagonal = std::fabs(d.z) >= kDiagonalRapidStep &&
                        (std::fabs(d.x) >= kDiagonalRapidStep || std::fabs(d.y) >= kDiagonalRapidStep);
  if (!diagonal) return true;
  prompts_.Message(kDiagonalFound, kFendoCaption, PromptIcon::Information);
  if (prompts_.AskOkCancel(kStopQuestion, kFendoCaption, PromptIcon::Information)) return false;
  options_.diagonalRapidCheck = false;
  return true;
}

void NcDialectWriter::Accumulate(const CursorRecord& cursor) {
  if (!state_.positioned || cursor.feed == 0) return;
  const double d = Length(cursor.position() - state_.last);
  if (IsRapidKind(cursor.kind)) {
    result_.cuttingTime += d / (kRapidRate / format_.millimetres);
    result_.rapidLength += d;
  } else {
    result_.cuttingTime += d / cursor.feed;
    result_.feedLength += d;
  }
}

NcDialectWriter::ArcHalves NcDialectWriter::HalveArc(const CursorRecord& cursor, const Arc& arc) {
  const Point3 cut = ArcPointAt(arc, 0.5);
  ArcHalves halves{cut, cursor, MeasureArc(arc.start, cut, arc.centre - arc.start, arc.kind, arc.plane),
                   MeasureArc(cut, arc.end, arc.centre - cut, arc.kind, arc.plane)};
  halves.middle.SetPosition(cut);
  return halves;
}

}  // namespace fendo
