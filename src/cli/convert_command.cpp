// fendo-batch convert: one program written with the fixed writer (or a template), or several
// programs, each read into its own layer, written as one program as the layer output does.
#include <charconv>
#include <sstream>

#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "output/nc_writer.h"

namespace fendo {
namespace {

// What convert is asked for besides the output options.
struct ConvertRequest {
  std::optional<std::string> layers;          // the layers to write, "3 0-2 7"
  std::optional<std::string> templatePath;    // a *.ppr template to write through
  std::optional<std::string> templateValues;  // "T=1,S=1000,O=0,H=1"
  bool noPromptDefaults = false;              // a template that asks for values fails
};

constexpr std::string_view kTemplateFlag = "--template";

constexpr Option<ConvertRequest> kConvertOptions[] = {
    {"--layers", "LIST",
     "With several inputs: the layers to write, in order, as the layer\n"
     "output takes them (\"3 0-2 7\" is 3, 0, 1, 2, 7); default all, in order.\n"
     "In layer output the tool, offset, spindle and comment come from each\n"
     "layer.",
     Keep<&ConvertRequest::layers>},
    {kTemplateFlag, "FILE.ppr", "Write through a post-processor template instead of the fixed writer.",
     Keep<&ConvertRequest::templatePath>},
    {.flag = "--set",
     .value = "T=1,S=1000,O=0,H=1",
     .help = "Bind the template's tool, spindle, program number and length\noffset.",
     .target = Keep<&ConvertRequest::templateValues>,
     .needs = kTemplateFlag},
    {.flag = "--no-prompt-defaults",
     .help = "Fail when the template asks for values; otherwise each prompt takes\nthe current value.",
     .target = Turn<&ConvertRequest::noPromptDefaults, true>,
     .needs = kTemplateFlag},
};

// Why --layers cannot be written: a word that is no layer number or range, or a layer that no
// input was read into (`read` inputs fill layers 0 ... read - 1). Nothing when every layer
// named was read.
std::optional<std::string> LayerListProblem(std::string_view list, std::size_t read) {
  const std::string lastRead = std::to_string(read - 1);
  std::istringstream words{std::string(list)};
  std::string word;
  bool any = false;
  while (words >> word) {
    any = true;
    const std::size_t dash = word.find('-');
    std::vector<std::string_view> numbers = {std::string_view(word).substr(0, dash)};  // "3", or "0" and "2" of "0-2"
    if (dash != std::string::npos) numbers.push_back(std::string_view(word).substr(dash + 1));
    for (const std::string_view number : numbers) {
      std::size_t layer = 0;
      const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), layer);
      if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        return "--layers takes layer numbers and ranges such as \"3 0-2 7\", not \"" + word + "\"";
      }
      if (layer >= read) {
        return "--layers names layer " + std::string(number) + ", but the inputs were read into layers 0 ... " +
               lastRead;
      }
    }
  }
  if (!any) return "--layers names no layer";
  return std::nullopt;
}

// The output option given that the template writer does not take (it writes the program as the
// template says); nothing when there is none.
std::optional<std::string_view> FixedWriterOption(const BatchArguments& args) {
  for (const OptionEntry& entry : OutputOptionGroup().entries()) {
    if (entry.flag != kOutputFlag && entry.flag != kGoOnFlag && args.Has(entry.flag)) return entry.flag;
  }
  return std::nullopt;
}

// Loads every input into its own layer, in order. False when one could not be read whole:
// a program cut short is never written out as if it were complete.
bool LoadLayers(ToolpathDatabase& db, const BatchArguments& args, const BatchStreams& streams) {
  db.options = ReaderOptions(args, streams.err);
  for (std::size_t k = 0; k < args.files.size(); ++k) {
    db.layers.workLayer = static_cast<int>(k);
    if (!LoadIntoWorkLayer(db, args.files[k], streams).ok()) return false;
  }
  return true;
}

}  // namespace

const OptionGroup& ConvertOptionGroup() {
  static const OptionGroup group = std::move(OptionGroup("options").Add<ConvertRequest>(kConvertOptions));
  return group;
}

int RunConvert(const BatchArguments& args, const BatchStreams& streams) {
  ConvertRequest request;
  std::string error;
  ApplyOptions(args, kConvertOptions, request, error);
  if (args.files.empty() || !args.Has(kOutputFlag)) {
    streams.err << "fendo-batch: convert needs an input and -o OUT (see fendo-batch --help)\n";
    return 2;
  }
  if (args.files.size() > static_cast<std::size_t>(LayerTable::kUserLayers)) {
    streams.err << "fendo-batch: convert reads at most " << LayerTable::kUserLayers << " programs into layers\n";
    return 2;
  }
  const bool layered = args.files.size() > 1 || request.layers;
  if (layered && request.templatePath) {
    streams.err << "fendo-batch: --template writes one program: give one input and no --layers\n";
    return 2;
  }
  if (const std::optional<std::string_view> fixed = FixedWriterOption(args); fixed && request.templatePath) {
    streams.err << "fendo-batch: " << *fixed << " is an option of the fixed writer; --template writes what the "
                << "template says\n";
    return 2;
  }
  if (const std::optional<std::string> problem =
          request.layers ? LayerListProblem(*request.layers, args.files.size()) : std::nullopt) {
    streams.err << "fendo-batch: " << *problem << '\n';
    return 2;
  }
  auto db = std::make_unique<ToolpathDatabase>();
  if (!LoadLayers(*db, args, streams)) return 1;
  if (request.templatePath) {
    const TemplateRequest output{*request.templatePath, request.templateValues, request.noPromptDefaults,
                                 args.values.at(std::string(kOutputFlag)), args.Has(kGoOnFlag)};
    return RunTemplateOutput(*db, output, streams);
  }

  NcOutputOptions options = layered ? LayerOutputOptions(*db) : NcOutputOptions{};
  if (!layered) PresetFromWorkLayer(*db, options);
  if (!ApplyOutputFlags(args, options, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  BatchPrompts prompts(streams.err, args.Has(kGoOnFlag));
  if (!layered) return ReportWriteResult(WriteNcProgram(*db, options, prompts), options.outputPath, streams.err);

  std::vector<int> layers;
  if (request.layers) {
    layers = ParseLayerList(*request.layers);
  } else {
    for (std::size_t k = 0; k < args.files.size(); ++k) layers.push_back(static_cast<int>(k));
  }
  return ReportWriteResult(WriteLayerNcProgram(*db, layers, options, prompts), options.outputPath, streams.err);
}

}  // namespace fendo
