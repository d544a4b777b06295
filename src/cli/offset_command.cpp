// fendo-batch offset: one of the point offsets ("포인트 Offset") with the values its dialogs
// would take, then the program written with the writer's defaults (or the output options
// given). The region is a rectangle, a circle, the polygons of a point file or the outside of a
// Z band; the offset vector starts from the direction dialog's default (0, 0, 5).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/number_words.h"
#include "cli/output_flags.h"
#include "edit/point_file.h"
#include "edit/point_offset.h"

namespace fendo {
namespace {

constexpr std::string_view kRegionFlags[] = {"--rect", "--circle", "--poi", "--z"};

// What the command line asks for.
struct OffsetRequest {
  std::vector<double> rectangle;  // X1 Y1 X2 Y2, mm
  std::vector<double> circle;     // X Y R, mm
  std::string pointFile;
  std::vector<double> band;       // MIN MAX, mm
  Point3 by{0, 0, 5};             // mm
};

// A target that reads `count` numbers into `field`, refusing anything else in the words of the
// option's help.
template <std::vector<double> OffsetRequest::*field, std::size_t count, const char* flag, const char* form>
bool ReadNumbers(OffsetRequest& request, std::string_view text, std::string& error) {
  std::optional<std::vector<double>> numbers = Numbers(text, count, ' ');
  if (!numbers) {
    error = std::string(flag) + " takes " + form + ", not \"" + std::string(text) + "\"";
    return false;
  }
  request.*field = std::move(*numbers);
  return true;
}

constexpr char kRectFlag[] = "--rect";
constexpr char kRectForm[] = "the corners X1 Y1 X2 Y2";
constexpr char kCircleFlag[] = "--circle";
constexpr char kCircleForm[] = "the centre and radius X Y R";
constexpr char kZFlag[] = "--z";
constexpr char kZForm[] = "the band MIN MAX";

bool ReadBy(OffsetRequest& request, std::string_view text, std::string& error) {
  const std::optional<std::vector<double>> by = Numbers(text, 3, ',');
  if (!by) {
    error = "--by takes the offset DX,DY,DZ, not \"" + std::string(text) + "\"";
    return false;
  }
  request.by = {(*by)[0], (*by)[1], (*by)[2]};
  return true;
}

constexpr Option<OffsetRequest> kOffsetOptions[] = {
    {"--rect", "X1 Y1 X2 Y2",
     "\"좌표 안쪽 Offset\": what lies inside the XY rectangle between the\n"
     "corners (edges included) is shifted.",
     ReadNumbers<&OffsetRequest::rectangle, 4, kRectFlag, kRectForm>},
    {"--circle", "X Y R",
     "\"원 안쪽 Offset\": what lies less than R from the centre in XY is\n"
     "shifted.",
     ReadNumbers<&OffsetRequest::circle, 3, kCircleFlag, kCircleForm>},
    {"--poi", "FILE",
     "\"화일에 의한 안쪽 Offset\": what lies inside each polygon of the point\n"
     "file is shifted, polygon after polygon.",
     Keep<&OffsetRequest::pointFile>},
    {"--z", "MIN MAX",
     "\"Z 좌표 바같쪽 Offset\": what lies below MIN or above MAX is shifted.",
     ReadNumbers<&OffsetRequest::band, 2, kZFlag, kZForm>},
    {"--by", "DX,DY,DZ", "the offset, mm (default 0,0,5)", ReadBy},
};

// The offset asked for on `db`; NoRoom when it would not fit, Refused (with `refusal`) for a
// point file that cannot be read.
EditOutcome RunRequest(ToolpathDatabase& db, const OffsetRequest& request, std::string& refusal) {
  const Point3 by = request.by;
  if (!request.rectangle.empty()) {
    const std::vector<double>& r = request.rectangle;
    return OffsetInsideRectangle(db, r[0], r[1], r[2], r[3], by, UndoStep::Skip);
  }
  if (!request.circle.empty()) {
    const std::vector<double>& c = request.circle;
    return OffsetInsideCircle(db, {c[0], c[1], 0}, c[2], by, UndoStep::Skip);
  }
  if (!request.band.empty()) {
    return OffsetOutsideZBand(db, {request.band[0], request.band[1]}, by, UndoStep::Skip);
  }
  std::string why;
  const std::optional<std::vector<std::vector<Point3>>> polygons = ReadPointFile(request.pointFile, why);
  if (!polygons) {
    refusal = "--poi: cannot read " + request.pointFile + ": " + why;
    return EditOutcome::Refused;
  }
  return OffsetInsidePolygons(db, *polygons, by, UndoStep::Skip);
}

}  // namespace

const OptionGroup& OffsetOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options (exactly one region)").Add<OffsetRequest>(kOffsetOptions));
  return group;
}

int RunOffset(const BatchArguments& args, const BatchStreams& streams) {
  int regions = 0;
  for (std::string_view flag : kRegionFlags) regions += args.Has(flag);
  std::string error;
  OffsetRequest request;
  if (args.files.size() != 1 || !args.Has(kOutputFlag) || regions != 1) {
    error = "offset takes one input, -o OUT and exactly one of --rect, --circle, --poi and --z (see fendo-batch --help)";
  } else if (ApplyOptions<OffsetRequest>(args, kOffsetOptions, request, error) && !request.circle.empty() &&
             !(request.circle[2] > 0)) {
    error = "--circle takes a radius above 0";
  }
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }

  return RunProgramEdit(
      args, streams,
      {"offset", [&request](ToolpathDatabase& db, std::string& refusal) { return RunRequest(db, request, refusal); },
       {}});
}

}  // namespace fendo
