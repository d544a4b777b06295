// fendo-batch trim: the trims of the edit menu's "트림" submenu against a boundary given in model
// coordinates: a rectangle ("좌표 안쪽/바같쪽 트림"), a circle ("원 안쪽/바같쪽 트림"), the polygons
// of a point file ("화일에 의한 안쪽/바같쪽 트림") or a Z band ("Z 좌표 바같쪽 트림"), then the
// program written with the writer's defaults (or the output options given).
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/number_words.h"
#include "cli/output_flags.h"
#include "edit/point_file.h"
#include "edit/region_boundary.h"
#include "edit/trim.h"

namespace fendo {
namespace {

// The trim the options ask for.
struct TrimRequest {
  std::optional<std::vector<double>> rectangle;  // X1 Y1 X2 Y2
  std::optional<std::vector<double>> circle;     // X Y R
  std::string pointFile;
  std::optional<ZTrimParams> band;
  std::optional<TrimSide> removed;
};

bool ReadRectangle(TrimRequest& request, std::string_view text, std::string& error) {
  request.rectangle = Numbers(text, 4);
  if (!request.rectangle) error = "--rect takes the corners X1 Y1 X2 Y2, not \"" + std::string(text) + "\"";
  return request.rectangle.has_value();
}

bool ReadCircle(TrimRequest& request, std::string_view text, std::string& error) {
  request.circle = Numbers(text, 3);
  if (!request.circle) {
    error = "--circle takes the centre and radius X Y R, not \"" + std::string(text) + "\"";
  } else if (!((*request.circle)[2] > 0)) {
    error = "--circle: the radius must be above 0, not " + std::string(text.substr(text.rfind(' ') + 1));
    request.circle.reset();
  }
  return request.circle.has_value();
}

bool ReadBand(TrimRequest& request, std::string_view text, std::string& error) {
  const std::optional<std::vector<double>> band = Numbers(text, 2);
  if (!band) {
    error = "--z takes the heights MIN MAX, not \"" + std::string(text) + "\"";
    return false;
  }
  if ((*band)[0] > (*band)[1]) {
    error = "--z: MIN must not lie above MAX, not \"" + std::string(text) + "\"";
    return false;
  }
  request.band = ZTrimParams{.zMin = (*band)[0], .zMax = (*band)[1]};
  return true;
}

void ReadSide(TrimRequest& request, bool inside) { request.removed = inside ? TrimSide::Inside : TrimSide::Outside; }

constexpr Option<TrimRequest> kTrimOptions[] = {
    {"--rect", "X1 Y1 X2 Y2",
     "\"좌표 안쪽/바같쪽 트림\": the rectangle between the corners (X1, Y1)\n"
     "and (X2, Y2), model mm, edges included",
     ReadRectangle},
    {"--circle", "X Y R",
     "\"원 안쪽/바같쪽 트림\": the vertical cylinder of radius R about (X, Y);\n"
     "a point on the circle stays under both trims",
     ReadCircle},
    {"--poi", "FILE",
     "\"화일에 의한 안쪽/바같쪽 트림\": every polygon of the point file, in\n"
     "file order (polygons of fewer than 3 vertices are skipped)",
     Keep<&TrimRequest::pointFile>},
    {"--z", "MIN MAX", "\"Z 좌표 바같쪽 트림\": removes what lies outside the heights MIN to MAX", ReadBand},
    {.flag = "--inside",
     .help = "removes what lies inside the boundary (\"안쪽\"), or outside it\n"
             "(\"바같쪽\"); one of them with --rect, --circle and --poi",
     .target = ReadSide,
     .twin = "--outside"},
};

constexpr std::string_view kUsage =
    "trim takes one input, -o OUT and one of --rect, --circle, --poi (each with --inside or "
    "--outside) and --z";

// Whether exactly one boundary is given, with a side where it takes one.
bool OneBoundary(const BatchArguments& args) {
  int boundaries = 0;
  for (std::string_view flag : {"--rect", "--circle", "--poi", "--z"}) boundaries += args.Has(flag);
  const bool sided = args.Has("--inside") || args.Has("--outside");
  return boundaries == 1 && sided != args.Has("--z");
}

// The trim of the one boundary given.
EditOutcome Trim(ToolpathDatabase& db, const TrimRequest& request, std::span<const std::vector<Point3>> polygons) {
  if (request.rectangle) {
    const std::vector<double>& c = *request.rectangle;
    return TrimRegion(db, *RectangleBoundary(c[0], c[1], c[2], c[3]), *request.removed, UndoStep::Skip);
  }
  if (request.circle) {
    const std::vector<double>& c = *request.circle;
    return TrimCircle(db, {c[0], c[1], 0}, c[2], *request.removed, UndoStep::Skip);
  }
  if (request.band) return TrimZBand(db, *request.band, UndoStep::Skip);
  return TrimPolygons(db, polygons, *request.removed, UndoStep::Skip);
}

}  // namespace

const OptionGroup& TrimOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<TrimRequest>(kTrimOptions));
  return group;
}

int RunTrim(const BatchArguments& args, const BatchStreams& streams) {
  std::string error;
  TrimRequest request;
  if (!ApplyOptions<TrimRequest>(args, kTrimOptions, request, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  if (args.files.size() != 1 || !args.Has(kOutputFlag) || !OneBoundary(args)) {
    streams.err << "fendo-batch: " << kUsage << " (see fendo-batch --help)\n";
    return 2;
  }
  std::vector<std::vector<Point3>> polygons;
  if (!request.pointFile.empty()) {
    std::optional<std::vector<std::vector<Point3>>> read = ReadPointFile(request.pointFile, error);
    if (!read) {
      streams.err << "fendo-batch: " << request.pointFile << ": " << error << '\n';
      return 1;
    }
    polygons = std::move(*read);
  }

  return RunProgramEdit(args, streams,
                        {"trim", [&](ToolpathDatabase& db, std::string&) { return Trim(db, request, polygons); }, {}});
}

}  // namespace fendo
