// fendo-batch convert: one program written with the fixed writer (or a template), or several
// programs, each read into its own layer, written as one program as the layer output does.
#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "cli/output_flags.h"
#include "output/nc_writer.h"

namespace fendo {

int ReportWriteResult(const WriteResult& result, const std::string& path, std::ostream& err) {
  switch (result.status) {
    case WriteStatus::Written: return 0;
    case WriteStatus::CannotCreate:
      err << "fendo-batch: " << path << ": cannot create: " << result.reason << '\n';
      break;
    case WriteStatus::WriteFailed:
      err << "fendo-batch: " << path << ": writing failed: " << result.reason << "; the file is incomplete\n";
      break;
    case WriteStatus::Stopped:
      err << "fendo-batch: " << path << ": stopped at a diagonal rapid move; the part written so far is kept "
          << "(--yes goes on, --no-diagonal-check does not ask)\n";
      break;
  }
  return 1;
}

namespace {

// Loads every input into its own layer, in order. False when one could not be read whole:
// a program cut short is never written out as if it were complete.
bool LoadLayers(ToolpathDatabase& db, const BatchArguments& args, const BatchStreams& streams) {
  const NcOptions options = ReaderOptions(args, streams.err);
  db.options = options;
  for (std::size_t k = 0; k < args.files.size(); ++k) {
    db.layers.workLayer = static_cast<int>(k);
    const LoadResult result = LoadFile(db, args.files[k]);
    if (!result.ok()) {
      ReportLoadFailure(args.files[k], result, streams.err);
      return false;
    }
    RunAfterLoadSteps(db, args.files[k]);
  }
  return true;
}

}  // namespace

int RunConvert(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.empty() || !args.Has("-o")) {
    streams.err << "fendo-batch: convert needs an input and -o OUT (see fendo-batch --help)\n";
    return 2;
  }
  if (args.files.size() > static_cast<std::size_t>(LayerTable::kUserLayers)) {
    streams.err << "fendo-batch: convert reads at most " << LayerTable::kUserLayers << " programs into layers\n";
    return 2;
  }
  const bool layered = args.files.size() > 1 || args.Has("--layers");
  if (layered && args.Has("--template")) {
    streams.err << "fendo-batch: --template writes one program: give one input and no --layers\n";
    return 2;
  }
  auto db = std::make_unique<ToolpathDatabase>();
  if (!LoadLayers(*db, args, streams)) return 1;
  if (args.Has("--template")) return RunTemplateOutput(*db, args, streams);

  NcOutputOptions options = layered ? LayerOutputOptions(*db) : NcOutputOptions{};
  if (!layered) PresetFromWorkLayer(*db, options);
  std::string error;
  if (!ApplyOutputFlags(args, options, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  BatchPrompts prompts(streams.err, args.Has("--yes"));
  if (!layered) return ReportWriteResult(WriteNcProgram(*db, options, prompts), options.outputPath, streams.err);

  std::vector<int> layers;
  if (const auto list = args.values.find("--layers"); list != args.values.end()) {
    layers = ParseLayerList(list->second);
  } else {
    for (std::size_t k = 0; k < args.files.size(); ++k) layers.push_back(static_cast<int>(k));
  }
  return ReportWriteResult(WriteLayerNcProgram(*db, layers, options, prompts), options.outputPath, streams.err);
}

}  // namespace fendo
