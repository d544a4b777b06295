// fendo-batch convert: one program written with the fixed writer (or a template), or several
// programs, each read into its own layer, written as one program as the layer output does.
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

constexpr Option<ConvertRequest> kConvertOptions[] = {
    {"--layers", "LIST",
     "With several inputs: the layers to write, in order, as the layer\n"
     "output takes them (\"3 0-2 7\" is 3, 0, 1, 2, 7); default all, in order.\n"
     "In layer output the tool, offset, spindle and comment come from each\n"
     "layer.",
     Keep<&ConvertRequest::layers>},
    {"--template", "FILE.ppr", "Write through a post-processor template instead of the fixed writer.",
     Keep<&ConvertRequest::templatePath>},
    {"--set", "T=1,S=1000,O=0,H=1", "Bind the template's tool, spindle, program number and length\noffset.",
     Keep<&ConvertRequest::templateValues>},
    {"--no-prompt-defaults", "",
     "Fail when the template asks for values; otherwise each prompt takes\nthe current value.",
     Turn<&ConvertRequest::noPromptDefaults, true>},
};

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
