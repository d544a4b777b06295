// The post-processor: the work buffer written as an NC program whose every line comes from a
// user-editable template (post_template.h), for machine controls the fixed writer does not
// serve.
//
// The run walks the records once. Each motion record chooses a section by its kind; an arc
// also by its plane and direction, and by whether it continues a run of arcs (the record
// before it had the same kind and plane), so that a template can leave out the modal plane and
// G02/G03 words on the arcs that follow the first. The section's lines are expanded with two
// sets of values, the current record's and the previous record's: a bracket variable such as
// [$X] is written only where the two differ. Before the first record the previous position is
// (999, 999, 999), so [Start] moves to the first position on every axis that is not exactly
// there. Lengths are mm, feeds mm/min.
#include "output/post_processor.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "core/arc_centre_mode.h"
#include "core/arc_rule.h"
#include "core/layer_table.h"
#include "core/output_file.h"
#include "core/toolpath_database.h"
#include "output/arc_form.h"
#include "output/post_template.h"
#include "output/template_expansion.h"
#include "output/write_progress.h"

namespace fendo {
namespace {

constexpr double kStartPrevious = 999.0;  // mm, the "previous" position of [Start]
// Templates write lengths with three decimals; radii further apart than the reader allows make
// no arc.
constexpr ArcFormPrecision kTemplatePrecision{.place = 0.001, .endTolerance = ArcCentreCheck::kRadiusTolerance};
constexpr std::string_view kDefaultTemplateName = "default.ppr";
constexpr std::string_view kNoMotion = "the work layer has no motion record";
constexpr std::string_view kNoMotionBlock =
    "the template writes no motion block: none of its cut, rapid and arc sections has an X, Y or Z";

// The section of each straight move.
constexpr std::array<std::pair<MoveKind, TemplateSectionId>, 4> kLineSections = {{
    {MoveKind::RapidStart, TemplateSectionId::NewRapid},
    {MoveKind::Rapid, TemplateSectionId::Rapid},
    {MoveKind::FeedStart, TemplateSectionId::NewCut},
    {MoveKind::Feed, TemplateSectionId::Cut},
}};

// The sections of each arc by plane and direction: the first of a run, and the ones after it.
struct ArcSections {
  MoveKind plane;
  MoveKind kind;
  TemplateSectionId first;
  TemplateSectionId continued;
};
constexpr std::array<ArcSections, 6> kArcSections = {{
    {MoveKind::CentreXY, MoveKind::ArcCw, TemplateSectionId::NewXyCW, TemplateSectionId::XyCW},
    {MoveKind::CentreXY, MoveKind::ArcCcw, TemplateSectionId::NewXyCCW, TemplateSectionId::XyCCW},
    {MoveKind::CentreZX, MoveKind::ArcCw, TemplateSectionId::NewZxCW, TemplateSectionId::ZxCW},
    {MoveKind::CentreZX, MoveKind::ArcCcw, TemplateSectionId::NewZxCCW, TemplateSectionId::ZxCCW},
    {MoveKind::CentreYZ, MoveKind::ArcCw, TemplateSectionId::NewYzCW, TemplateSectionId::YzCW},
    {MoveKind::CentreYZ, MoveKind::ArcCcw, TemplateSectionId::NewYzCCW, TemplateSectionId::YzCCW},
}};

std::optional<TemplateSectionId> LineSection(MoveKind kind) {
  for (const auto& [k, section] : kLineSections) {
    if (k == kind) return section;
  }
  return std::nullopt;
}

const ArcSections* FindArcSections(MoveKind plane, MoveKind kind) {
  for (const ArcSections& row : kArcSections) {
    if (row.plane == plane && row.kind == kind) return &row;
  }
  return nullptr;
}

// A straight move's values: the arc values (I, J, K, R, plane) stay as they were.
void TakeRecord(TemplateVars& vars, const ToolpathRecord& r) {
  vars.x = r.x;
  vars.y = r.y;
  vars.z = r.z;
  vars.feed = r.feed;
  vars.kind = r.kind;
}

void TakeArc(TemplateVars& vars, const ToolpathRecord& end, const ToolpathRecord& centre) {
  TakeRecord(vars, end);
  vars.i = centre.x;
  vars.j = centre.y;
  vars.k = centre.z;
  vars.r = std::sqrt(vars.i * vars.i + vars.j * vars.j + vars.k * vars.k);
  vars.plane = centre.kind;
}

// Writes sections into the output file, a section's expanded lines at once. After a failed
// write nothing more is expanded, so the user is asked no more values for a lost program.
class SectionWriter {
 public:
  SectionWriter(const PostTemplate& postTemplate, const BoundValues& bound, UserPrompts& prompts, OutputFile& file)
      : template_(postTemplate), expander_(bound, prompts), file_(file) {}

  void Write(TemplateSectionId id, TemplateVars& current, const TemplateVars& previous) {
    const TemplateSection& section = template_.section(id);
    if (section.lines.empty() || !file_.ok()) return;
    text_.clear();
    for (const TemplateLine& line : section.lines) {
      expander_.ExpandLine(line.text, line.masks, current, previous, text_);
    }
    file_.Write(text_);
  }

 private:
  const PostTemplate& template_;
  TemplateExpander expander_;
  OutputFile& file_;
  std::string text_;
};

}  // namespace

void PresetPostOutputOptions(PostOutputOptions& options, const LayerSlot& workLayer) {
  if (workLayer.spindle != 0) options.spindleSpeed = workLayer.spindle;
  options.toolChange = workLayer.toolNumber != 0;
  options.toolNumber = workLayer.toolNumber;
  options.programNumberOn = workLayer.programNumber != 0;
  options.programNumber = workLayer.programNumber;
}

std::filesystem::path DefaultTemplatePath(const std::filesystem::path& postDir) {
  return postDir / kDefaultTemplateName;
}

PostResult RunPostProcessor(ToolpathDatabase& db, const PostTemplate& postTemplate, const PostOutputOptions& options,
                            UserPrompts& prompts, Progress* progress) {
  // Without a motion record [Start] would have no position to move to.
  const std::optional<int> first = db.FirstMotion();
  if (!first) return {PostStatus::NoMotion, std::string(kNoMotion)};
  if (!postTemplate.WritesMotion()) return {PostStatus::NoMotionBlock, std::string(kNoMotionBlock)};

  // 4. Bind the run's values; the work layer now names the output file.
  LayerSlot& workLayer = db.layers[db.layers.workLayer];
  const BoundValues bound{.sequence = 1,
                          .tool = options.toolNumber,
                          .spindle = options.spindleSpeed,
                          .lengthOffset = workLayer.lengthOffset,
                          .program = options.programNumber};
  workLayer.fileName = options.outputPath;

  // 5. Create the output file.
  OutputFile file(options.outputPath);
  if (!file.ok()) return {PostStatus::CannotCreate, file.status().reason};
  SectionWriter writer(postTemplate, bound, prompts, file);

  // 6. [Start] from the first motion record, against a previous position no program starts at.
  TemplateVars current;
  TemplateVars previous;
  TakeRecord(current, *db.RecordAt(*first));
  previous.x = previous.y = previous.z = kStartPrevious;
  writer.Write(TemplateSectionId::Start, current, previous);
  previous = current;

  // 7. Tool change and spindle start.
  if (options.toolChange) writer.Write(TemplateSectionId::Tool, current, previous);
  writer.Write(TemplateSectionId::Spindle, current, previous);

  // 8. One section per motion record; centre records are read with their arc.
  PostResult result;
  WriteProgress written(progress, db.recordCount);
  for (int i = 0; i < db.recordCount && file.ok(); ++i) {
    written.Step();
    const ToolpathRecord& record = *db.RecordAt(i);
    if (const std::optional<TemplateSectionId> section = LineSection(record.kind)) {
      TakeRecord(current, record);
      writer.Write(*section, current, previous);
      TakeRecord(previous, record);
      continue;
    }
    if (!IsArcKind(record.kind)) continue;
    const ToolpathRecord* centre = db.RecordAt(i + 1);
    const ArcSections* sections = centre ? FindArcSections(centre->kind, record.kind) : nullptr;
    if (!sections) {
      // Without its centre the arc cannot be written; the values stay those of the last line
      // written, so the next line still carries every axis that moved.
      ++result.skippedArcs;
      continue;
    }
    // An arc a control would refuse (no radius, its end off the start's circle) goes out as the
    // straight cut to its end point: no arc section of a template states it.
    const Arc arc = MeasureArc({previous.x, previous.y, previous.z}, PositionOf(record), PositionOf(*centre),
                               record.kind, PlaneOfCentreKind(centre->kind));
    if (ChooseArcForm(arc, false, kTemplatePrecision) == ArcForm::AsLine) {
      ++result.arcsAsLines;
      ToolpathRecord line = record;
      line.kind = IsLinearFeedKind(previous.kind) ? MoveKind::Feed : MoveKind::FeedStart;
      TakeRecord(current, line);
      writer.Write(*LineSection(line.kind), current, previous);
      TakeRecord(previous, line);
      continue;
    }
    const bool continued = previous.kind == record.kind && previous.plane == centre->kind;
    TakeArc(current, record, *centre);
    writer.Write(continued ? sections->continued : sections->first, current, previous);
    TakeArc(previous, record, *centre);
  }

  // 9. [Term] with the last record's values.
  writer.Write(TemplateSectionId::Term, current, previous);
  if (const FileStatus closed = file.Close(); !closed) {
    result.status = PostStatus::WriteFailed;
    result.reason = closed.reason;
  }
  return result;
}

}  // namespace fendo
