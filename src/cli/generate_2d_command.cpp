// fendo-batch generate pocket|profile|face: a pocket, a profile or a facing pattern from the
// values of its dialog, written as a program of its own or appended behind the records of
// another (--append-to), with the writer's defaults (or the output options given).
#include <array>
#include <string>
#include <string_view>

#include "cli/batch_program.h"
#include "cli/generated_program.h"
#include "cli/output_flags.h"
#include "core/toolpath_database.h"
#include "generate/face.h"
#include "generate/pocket.h"
#include "generate/profile.h"

namespace fendo {
namespace {

// A word of a choice and the value it stands for.
template <typename E>
struct Choice {
  std::string_view word;
  E value;
};

constexpr std::array<Choice<PocketShape>, 3> kShapes = {
    {{"rectangle", PocketShape::Rectangle}, {"rounded", PocketShape::RoundedRectangle}, {"circle", PocketShape::Circle}}};
constexpr std::array<Choice<ShapeForm>, 3> kForms = {
    {{"centre-size", ShapeForm::CentreSize}, {"min-size", ShapeForm::MinSize}, {"min-max", ShapeForm::MinMax}}};
constexpr std::array<Choice<ProfileSide>, 3> kSides = {
    {{"on", ProfileSide::On}, {"inside", ProfileSide::Inside}, {"outside", ProfileSide::Outside}}};
constexpr std::array<Choice<FaceDirection>, 4> kDirections = {{{"x+y+", FaceDirection::XPlusYPlus},
                                                               {"x+y-", FaceDirection::XPlusYMinus},
                                                               {"y+x+", FaceDirection::YPlusXPlus},
                                                               {"y+x-", FaceDirection::YPlusXMinus}}};

// Reads a word of `choices` into `value`; false, with the words it takes, for any other.
template <typename E, std::size_t N>
bool ReadWord(const std::array<Choice<E>, N>& choices, std::string_view flag, std::string_view word, E& value,
              std::string& error) {
  std::string words;
  for (const Choice<E>& choice : choices) {
    if (choice.word == word) {
      value = choice.value;
      return true;
    }
    words += (words.empty() ? "" : ", ") + std::string(choice.word);
  }
  error = std::string(flag) + " takes one of " + words + ", not \"" + std::string(word) + "\"";
  return false;
}

// The help of a rectangle field: the default and range where the dialog has a range for it.
constexpr std::string_view FieldHelp(bool ranged, std::string_view withRange, std::string_view withDefault) {
  return ranged ? withRange : withDefault;
}

// The rectangle's rows, the same for the three patterns; `ranged`: the minimum, maximum and
// centre have a range (the facing pattern's).
template <typename P, bool ranged>
constexpr std::array<Option<P>, 9> RectangleRows() {
  return {{
      {"--form", "centre-size|min-size|min-max",
       "\"<< 변수 Type >>\": the rectangle by its centre and size (the default),\n"
       "its minimum and size, or its minimum and maximum",
       [](P& p, std::string_view w, std::string& e) { return ReadWord(kForms, "--form", w, p.rectangle.form, e); }},
      {"--x-max", "X", FieldHelp(ranged, "\"X 최대\", mm (default {default}, {range})", "\"X 최대\", mm (default 100)"),
       [](P& p, double v) { p.rectangle.xMax = v; }, ranged ? "xMax" : ""},
      {"--x-min", "X", FieldHelp(ranged, "\"X 최소\", mm (default {default}, {range})", "\"X 최소\", mm (default -100)"),
       [](P& p, double v) { p.rectangle.xMin = v; }, ranged ? "xMin" : ""},
      {"--x-size", "X", "\"X 크기\", mm (default {default}, {range})", [](P& p, double v) { p.rectangle.xSize = v; },
       "xSize"},
      {"--y-max", "Y", FieldHelp(ranged, "\"Y 최대\", mm (default {default}, {range})", "\"Y 최대\", mm (default 80)"),
       [](P& p, double v) { p.rectangle.yMax = v; }, ranged ? "yMax" : ""},
      {"--y-min", "Y", FieldHelp(ranged, "\"Y 최소\", mm (default {default}, {range})", "\"Y 최소\", mm (default -80)"),
       [](P& p, double v) { p.rectangle.yMin = v; }, ranged ? "yMin" : ""},
      {"--y-size", "Y", "\"Y 크기\", mm (default {default}, {range})", [](P& p, double v) { p.rectangle.ySize = v; },
       "ySize"},
      {"--x-centre", "X", FieldHelp(ranged, "\"X 중심\", mm (default {default}, {range})", "\"X 중심\", mm (default 0)"),
       [](P& p, double v) { p.rectangle.xCentre = v; }, ranged ? "xCentre" : ""},
      {"--y-centre", "Y", FieldHelp(ranged, "\"Y 중심\", mm (default {default}, {range})", "\"Y 중심\", mm (default 0)"),
       [](P& p, double v) { p.rectangle.yCentre = v; }, ranged ? "yCentre" : ""},
  }};
}

// The rows of the shape, the levels, the allowance and the tapers, the same for pockets and
// profiles.
template <typename P>
constexpr std::array<Option<P>, 14> LevelRows() {
  return {{
      {"--shape", "rectangle|rounded|circle", "\"사각형\" (the default), \"라운드 사각형\" or \"원형\"",
       [](P& p, std::string_view w, std::string& e) { return ReadWord(kShapes, "--shape", w, p.shape, e); }},
      {"--corner-radius", "R", "rounded: \"코너반경\", mm (default {default}, {range})", Store<&P::cornerRadius>,
       "cornerRadius"},
      {"--circle-radius", "R", "circle: the radius, mm (default {default}, {range})", Store<&P::circleRadius>,
       "circleRadius"},
      {"--xy-stepover", "S", "the distance between loops, mm (default {default}, {range})", Store<&P::xyStepover>,
       "xyStepover"},
      {"--z-stepover", "S", "\"Z Stepover\": the largest step down, mm (default {default}, {range})",
       Store<&P::zStepover>, "zStepover"},
      {"--start-height", "Z", "\"시작 높이\": the first level, mm (default 0)", Store<&P::startHeight>},
      {"--z-depth", "Z", "\"Z 깊이\": the last level, mm (default -50)", Store<&P::zDepth>},
      {"--allowance", "A", "\"가공 여유\", mm (default {default}, {range})", Store<&P::allowance>, "allowance"},
      {.flag = "--single-taper",
       .help = "\"단일 taper\": one taper angle for all sides (the default), or\none per side (--no-single-taper)",
       .target = [](P& p, bool on) { p.taper.single = on; },
       .twin = "--no-single-taper"},
      {"--taper-angle", "A", "the single taper, degrees (default {default}, {range})",
       [](P& p, double v) { p.taper.angle = v; }, "taperAngle"},
      {"--x-plus-taper", "A", "\"X + taper\", degrees (default {default}, {range})",
       [](P& p, double v) { p.taper.xPlus = v; }, "xPlusTaper"},
      {"--x-minus-taper", "A", "\"X -  taper\", degrees (default {default}, {range})",
       [](P& p, double v) { p.taper.xMinus = v; }, "xMinusTaper"},
      {"--y-plus-taper", "A", "\"Y + taper\", degrees (default {default}, {range})",
       [](P& p, double v) { p.taper.yPlus = v; }, "yPlusTaper"},
      {"--y-minus-taper", "A", "\"Y -  taper\", degrees (default {default}, {range})",
       [](P& p, double v) { p.taper.yMinus = v; }, "yMinusTaper"},
  }};
}

constexpr auto kPocketRows = LevelRows<PocketParams>();
constexpr auto kPocketRectangleRows = RectangleRows<PocketParams, false>();

constexpr auto kProfileRows = LevelRows<ProfileParams>();
constexpr auto kProfileRectangleRows = RectangleRows<ProfileParams, false>();
constexpr Option<ProfileParams> kProfileSideRows[] = {
    {"--side", "on|inside|outside",
     "\"<< 방향 >>\": on the outline (the default), passes inside it or\noutside it",
     [](ProfileParams& p, std::string_view w, std::string& e) { return ReadWord(kSides, "--side", w, p.side, e); }},
    {"--passes", "N", "\"Profile 횟수\": inside or outside, N passes (default {default}, {range})",
     Store<&ProfileParams::passes>, "passes"},
};

constexpr auto kFaceRectangleRows = RectangleRows<FaceParams, true>();
constexpr Option<FaceParams> kFaceRows[] = {
    {"--direction", "x+y+|x+y-|y+x+|y+x-",
     "\"<< 방향 >>\": \"X+, Y+\" (the default), \"X+, Y-\", \"Y+,  X+\" or \"Y+,  X-\"",
     [](FaceParams& p, std::string_view w, std::string& e) {
       return ReadWord(kDirections, "--direction", w, p.direction, e);
     }},
    {"--stepover", "S", "the distance between passes, mm (default {default}, {range})", Store<&FaceParams::stepover>,
     "stepover"},
    {"--cutting-height", "Z", "\"시작 높이\": the height of every pass, mm (default {default}, {range})",
     Store<&FaceParams::cuttingHeight>, "cuttingHeight"},
};

constexpr std::string_view kAppendToHelp =
    "Append the pattern behind the records of IN (read with the reader\n"
    "options) instead of writing it as a program of its own.";

// Reads the values, runs the generator on a new program or on the one of --append-to, and
// writes the result.
template <typename P>
int RunGenerator(const BatchArguments& args, const BatchStreams& streams, std::string_view name, P& params,
                 std::string error, std::optional<OptionOutOfRange> (*check)(const P&),
                 GenerateResult (*generate)(ToolpathDatabase&, const P&)) {
  const std::string verb = "generate " + std::string(name);
  if (error.empty() && (!args.files.empty() || !args.Has(kOutputFlag))) {
    error = verb + " takes -o OUT and no input but --append-to IN (see fendo-batch --help)";
  }
  if (error.empty()) {
    if (const std::optional<OptionOutOfRange> refused = check(params)) error = refused->message;
  }
  if (!error.empty()) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  return RunGeneration(args, streams, {verb, [&](ToolpathDatabase& db, std::string& refusal) {
                                         const GenerateResult result = generate(db, params);
                                         if (result.levelsLeftOut > 0) {
                                           streams.out << "levels left out: " << result.levelsLeftOut
                                                       << " (the offsets leave nothing to cut there)\n";
                                         }
                                         if (result.outcome != EditOutcome::NoRoom) {
                                           refusal = verb + ": these values make no pass; nothing was written";
                                         }
                                         return result.outcome;
                                       }});
}

}  // namespace

const OptionGroup& PocketOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options")
                                                 .Add<PocketParams>(kPocketRows, PocketRanges())
                                                 .Add<PocketParams>(kPocketRectangleRows, PocketRanges())
                                                 .Add(kAppendToFlag, "IN", kAppendToHelp));
  return group;
}

const OptionGroup& ProfileOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options")
                                                 .Add<ProfileParams>(kProfileSideRows, ProfileRanges())
                                                 .Add<ProfileParams>(kProfileRows, ProfileRanges())
                                                 .Add<ProfileParams>(kProfileRectangleRows, ProfileRanges())
                                                 .Add(kAppendToFlag, "IN", kAppendToHelp));
  return group;
}

const OptionGroup& FaceOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options")
                                                 .Add<FaceParams>(kFaceRows, FaceRanges())
                                                 .Add<FaceParams>(kFaceRectangleRows, FaceRanges())
                                                 .Add(kAppendToFlag, "IN", kAppendToHelp));
  return group;
}

int RunGeneratePocket(const BatchArguments& args, const BatchStreams& streams) {
  PocketParams params;
  std::string error;
  ApplyOptions<PocketParams>(args, kPocketRows, params, error) &&
      ApplyOptions<PocketParams>(args, kPocketRectangleRows, params, error);
  return RunGenerator<PocketParams>(args, streams, "pocket", params, error, CheckPocketParams, GeneratePocket);
}

int RunGenerateProfile(const BatchArguments& args, const BatchStreams& streams) {
  ProfileParams params;
  std::string error;
  ApplyOptions<ProfileParams>(args, kProfileSideRows, params, error) &&
      ApplyOptions<ProfileParams>(args, kProfileRows, params, error) &&
      ApplyOptions<ProfileParams>(args, kProfileRectangleRows, params, error);
  return RunGenerator<ProfileParams>(args, streams, "profile", params, error, CheckProfileParams, GenerateProfile);
}

int RunGenerateFace(const BatchArguments& args, const BatchStreams& streams) {
  FaceParams params;
  std::string error;
  ApplyOptions<FaceParams>(args, kFaceRows, params, error) &&
      ApplyOptions<FaceParams>(args, kFaceRectangleRows, params, error);
  return RunGenerator<FaceParams>(args, streams, "face", params, error, CheckFaceParams, GenerateFace);
}

}  // namespace fendo
