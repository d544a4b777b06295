// fendo-batch render: the toolpath view's picture of a program, fitted as "자동 확대축소"
// fits, written as a PNG image. Drawn by the same engine and image canvas as the desktop
// program's view, on Qt's offscreen platform so that no display is needed.
#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <charconv>
#include <optional>
#include <string_view>

#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "cli/render_view.h"
#include "core/output_file.h"
#include "qtdraw/qt_image_canvas.h"
#include "view/draw_view.h"
#include "view/fit_view.h"

namespace fendo {
namespace {

constexpr int kLargestSide = 16384;   // pixels: beyond this an image is no longer a view

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

// What the picture shows, as the options set it.
struct RenderRequest {
  ViewState view;
  ViewOptions options;

  RenderRequest() : view(RenderViewState()) {}
};

bool ReadDirection(RenderRequest& request, std::string_view name, std::string& error) {
  const std::optional<ViewDirection> direction = DirectionNamed(name, error);
  if (direction) ShowDirection(request.view, *direction);
  return direction.has_value();
}

bool ReadSize(RenderRequest& request, std::string_view text, std::string& error) {
  const std::optional<std::pair<int, int>> parsed = ParseSize(text);
  if (!parsed) {
    error = "--size takes WIDTHxHEIGHT, each 1 ... " + std::to_string(kLargestSide) + " pixels, not " +
            std::string(text);
    return false;
  }
  std::tie(request.view.clientWidth, request.view.clientHeight) = *parsed;
  return true;
}

constexpr Option<RenderRequest> kRenderOptions[] = {
    {kOutputFlag, "FILE.png", "The image to write (created or replaced)."},
    {"--view", "V", "The direction: top, front, side, iso1 (the default), iso2, iso3, iso4.", ReadDirection},
    {"--size", "WxH", "The image's size in pixels (default 1600x1000, each side 1 ... 16384).", ReadSize},
    {"--no-rapids", "", "Leave rapid moves out.", [](RenderRequest& r) { r.options.rapidShown = false; }},
    {"--invert", "", "White background.", [](RenderRequest& r) { r.options.backgroundInverted = true; }},
    {.flag = "--legend",
     .help = "With (the default) or without the feed colour legend.",
     .target = [](RenderRequest& r, bool on) { r.options.feedLegendShown = on; },
     .twin = "--no-legend"},
    {"--no-layer-text", "", "Without the layer's file name and header data.",
     [](RenderRequest& r) { r.options.layerTextShown = false; }},
};

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

const OptionGroup& RenderOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<RenderRequest>(kRenderOptions));
  return group;
}

int RunRender(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has(kOutputFlag)) {
    streams.err << "fendo-batch: render needs one input and -o OUT.png (see fendo-batch --help)\n";
    return 2;
  }
  if (OutputIsAnInput(args, streams.err)) return 2;
  RenderRequest request;
  std::string error;
  if (!ApplyOptions(args, kRenderOptions, request, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  ViewState& view = request.view;
  const ViewOptions& options = request.options;

  const std::string& file = args.files.front();
  LoadedProgram program = LoadProgram(file, ReaderOptions(args, streams.err), streams);
  // A program read only in part is not pictured as if it were whole.
  if (!program.result.ok()) return 1;

  EnsureGuiApplication();
  FitView(*program.db, view, options);
  QtImageCanvas canvas(view.clientWidth, view.clientHeight);
  DrawView(canvas, *program.db, view, options, DrawSettings{});

  const std::string& out = args.values.at(std::string(kOutputFlag));
  // The image is encoded in memory and written as any output file is, so that a failure names
  // the system's reason and never leaves half an image in place of the one there was.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(canvas.image())) {
    streams.err << "fendo-batch: " << out << ": cannot encode the image: " << writer.errorString().toStdString()
                << '\n';
    return 1;
  }
  if (const FileStatus written = WriteWholeFile(out, {png.constData(), static_cast<std::size_t>(png.size())});
      !written) {
    streams.err << "fendo-batch: " << out << ": cannot write: " << written.reason << '\n';
    return 1;
  }
  return 0;
}

}  // namespace fendo
