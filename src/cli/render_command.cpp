// fendo-batch render: the toolpath view's picture of a program, fitted as "자동 확대축소"
// fits, written as a PNG image. Drawn by the same engine and image canvas as the desktop
// program's view, on Qt's offscreen platform so that no display is needed.
#include <QGuiApplication>
#include <QImageWriter>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>

#include "cli/batch_program.h"
#include "qtdraw/qt_image_canvas.h"
#include "view/draw_view.h"
#include "view/fit_view.h"
#include "view/navigation.h"

namespace fendo {
namespace {

constexpr int kDefaultWidth = 1600;   // pixels
constexpr int kDefaultHeight = 1000;  // pixels
constexpr int kLargestSide = 16384;   // pixels: beyond this an image is no longer a view

struct NamedDirection {
  std::string_view name;
  ViewDirection direction;
};
constexpr std::array<NamedDirection, 7> kDirections = {{{"top", ViewDirection::Top},
                                                        {"front", ViewDirection::Front},
                                                        {"side", ViewDirection::Side},
                                                        {"iso1", ViewDirection::Iso1},
                                                        {"iso2", ViewDirection::Iso2},
                                                        {"iso3", ViewDirection::Iso3},
                                                        {"iso4", ViewDirection::Iso4}}};

std::optional<ViewDirection> DirectionNamed(std::string_view name) {
  for (const NamedDirection& d : kDirections) {
    if (d.name == name) return d.direction;
  }
  return std::nullopt;
}

std::optional<int> Side(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kLargestSide) {
    return std::nullopt;
  }
  return value;
}

// "WxH", each side 1 … kLargestSide pixels.
std::optional<std::pair<int, int>> ParseSize(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = Side(text.substr(0, x));
  const std::optional<int> height = Side(text.substr(x + 1));
  if (!width || !height) return std::nullopt;
  return std::pair{*width, *height};
}

// Text and images need a GUI application; fendo-batch makes one on the offscreen platform, once,
// unless the process (a test) has one already.
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fendo-batch";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}

}  // namespace

int RunRender(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has("-o")) {
    streams.err << "fendo-batch: render needs one input and -o OUT.png (see fendo-batch --help)\n";
    return 2;
  }
  ViewState view;
  ViewOptions options;
  if (const auto name = args.values.find("--view"); name != args.values.end()) {
    const std::optional<ViewDirection> direction = DirectionNamed(name->second);
    if (!direction) {
      streams.err << "fendo-batch: --view takes top, front, side, iso1, iso2, iso3 or iso4, not " << name->second
                  << '\n';
      return 2;
    }
    ShowDirection(view, *direction);
  }
  view.clientWidth = kDefaultWidth;
  view.clientHeight = kDefaultHeight;
  if (const auto size = args.values.find("--size"); size != args.values.end()) {
    const std::optional<std::pair<int, int>> parsed = ParseSize(size->second);
    if (!parsed) {
      streams.err << "fendo-batch: --size takes WIDTHxHEIGHT, each 1 ... " << kLargestSide << " pixels, not "
                  << size->second << '\n';
      return 2;
    }
    std::tie(view.clientWidth, view.clientHeight) = *parsed;
  }
  if (args.Has("--legend") && args.Has("--no-legend")) {
    streams.err << "fendo-batch: give --legend or --no-legend, not both\n";
    return 2;
  }
  options.rapidShown = !args.Has("--no-rapids");
  options.backgroundInverted = args.Has("--invert");
  options.feedLegendShown = !args.Has("--no-legend");
  options.layerTextShown = !args.Has("--no-layer-text");

  const std::string& file = args.files.front();
  LoadedProgram program = OpenProgram(file, ReaderOptions(args, streams.err), streams);
  // A program read only in part is not pictured as if it were whole.
  if (!program.result.ok()) return 1;

  EnsureGuiApplication();
  FitView(*program.db, view, options);
  QtImageCanvas canvas(view.clientWidth, view.clientHeight);
  DrawView(canvas, *program.db, view, options, DrawSettings{});

  const std::string& out = args.values.at("-o");
  QImageWriter writer(QString::fromStdString(out), "png");
  if (!writer.write(canvas.image())) {
    streams.err << "fendo-batch: " << out << ": cannot write: " << writer.errorString().toStdString() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace fendo
