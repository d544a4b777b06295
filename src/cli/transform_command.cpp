// fendo-batch transform: "공구경로 이동및 복사" with the values CMoveCopyDlg would take: one
// method (a shift, a turn about Z, a mirror of one axis or a scale of all three), the centre
// and the number of copies; then the program written with the output options given.
#include <string>

#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/number_words.h"
#include "cli/output_flags.h"
#include "edit/transform.h"

namespace fendo {
namespace {

constexpr std::string_view kMoveFlag = "--move";
constexpr std::string_view kRotateFlag = "--rotate";
constexpr std::string_view kMirrorFlag = "--mirror";
constexpr std::string_view kScaleFlag = "--scale";
constexpr std::string_view kMethodFlags[] = {kMoveFlag, kRotateFlag, kMirrorFlag, kScaleFlag};

// The three numbers of a value "X,Y,Z" of option `flag`.
bool ReadTriple(std::string_view flag, std::string_view text, std::string& error, double& x, double& y, double& z) {
  const std::optional<std::vector<double>> v = Numbers(text, 3, ',');
  if (!v) {
    error = std::string(flag) + " takes three numbers X,Y,Z, not \"" + std::string(text) + "\"";
    return false;
  }
  x = (*v)[0];
  y = (*v)[1];
  z = (*v)[2];
  return true;
}

bool ReadMove(TransformParams& p, std::string_view text, std::string& error) {
  p.method = TransformMethod::Move;
  p.moveX = p.moveY = p.moveZ = true;
  return ReadTriple(kMoveFlag, text, error, p.dx, p.dy, p.dz);
}

void TakeRotation(TransformParams& p, double angle) {
  p.method = TransformMethod::Rotate;
  p.rotateZ = true;
  p.angle = angle;
}

bool ReadMirror(TransformParams& p, std::string_view axis, std::string& error) {
  p.method = TransformMethod::MirrorScale;
  if (axis == "x") {
    p.scaleX = true;
    p.sx = -1;
  } else if (axis == "y") {
    p.scaleY = true;
    p.sy = -1;
  } else if (axis == "z") {
    p.scaleZ = true;
    p.sz = -1;
  } else {
    error = "--mirror takes x, y or z, not \"" + std::string(axis) + "\"";
    return false;
  }
  return true;
}

bool ReadScale(TransformParams& p, std::string_view text, std::string& error) {
  p.method = TransformMethod::MirrorScale;
  p.scaleX = p.scaleY = p.scaleZ = true;
  return ReadTriple(kScaleFlag, text, error, p.sx, p.sy, p.sz);
}

bool ReadCentre(TransformParams& p, std::string_view text, std::string& error) {
  return ReadTriple("--about", text, error, p.centreX, p.centreY, p.centreZ);
}

void TakeCopies(TransformParams& p, int copies) {
  p.copy = true;
  p.copies = copies;
}

constexpr Option<TransformParams> kTransformOptions[] = {
    {kMoveFlag, "DX,DY,DZ", "\"거리\": shift every record by DX, DY, DZ mm (each {range}).", ReadMove, "dx"},
    {kRotateFlag, "DEG", "\"회전\": turn about the vertical axis through the centre by DEG\ndegrees ({range}).",
     TakeRotation, "angle"},
    {kMirrorFlag, "x|y|z", "\"미러, 스케일\": mirror one axis about the centre (factor -1).", ReadMirror},
    {kScaleFlag, "SX,SY,SZ",
     "\"미러, 스케일\": scale each axis about the centre (factors {range});\n"
     "arcs whose two plane axes are scaled differently become lines\nwithin 0.001 mm.",
     ReadScale, "sx"},
    {"--about", "X,Y,Z", "The centre of the turn, mirror or scale (default 0,0,0).", ReadCentre, "centreX"},
    {"--copies", "N",
     "\"복사 횟수\": keep the program and append N copies, each moved or\n"
     "turned once more ({range}); a mirror or scale appends one.",
     TakeCopies, "copies"},
};

// The value of an option the dialog would refuse, named by its flag.
std::string_view FlagOfField(std::string_view field) {
  if (field == "dx" || field == "dy" || field == "dz") return kMoveFlag;
  if (field == "angle") return kRotateFlag;
  if (field == "sx" || field == "sy" || field == "sz") return kScaleFlag;
  if (field == "copies") return "--copies";
  return "--about";
}

}  // namespace

const OptionGroup& TransformOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options (exactly one of --move, --rotate, --mirror, --scale)")
                    .Add<TransformParams>(kTransformOptions, TransformRanges()));
  return group;
}

int RunTransform(const BatchArguments& args, const BatchStreams& streams) {
  int methods = 0;
  for (std::string_view flag : kMethodFlags) methods += args.Has(flag);
  if (args.files.size() != 1 || !args.Has(kOutputFlag) || methods != 1) {
    streams.err << "fendo-batch: transform takes one input, -o OUT and exactly one of --move, --rotate, --mirror "
                   "and --scale (see fendo-batch --help)\n";
    return 2;
  }
  TransformParams params;
  std::string error;
  if (!ApplyOptions(args, std::span<const Option<TransformParams>>(kTransformOptions), params, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  if (const std::optional<OptionOutOfRange> refused = CheckTransformParams(params)) {
    streams.err << "fendo-batch: " << FlagOfField(refused->field) << ": " << refused->message << '\n';
    return 2;
  }
  return RunProgramEdit(args, streams,
                        {"transform", [params](ToolpathDatabase& db, std::string&) { return TransformToolpath(db, params); }, {}});
}

}  // namespace fendo
