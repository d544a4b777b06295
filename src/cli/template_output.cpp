// fendo-batch convert --template: the work layer written through a post-processor template.
#include <charconv>

#include "cli/batch_prompts.h"
#include "cli/batch_program.h"
#include "output/nc_writer.h"
#include "output/post_processor.h"
#include "output/post_template.h"

namespace fendo {
namespace {

// The values of --set, "T=1,S=1000,O=0,H=1", over the output options and the work layer's
// length offset. False, with `error`, for a malformed assignment.
bool ApplyTemplateValues(std::string_view text, PostOutputOptions& options, LayerSlot& layer, std::string& error) {
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view assignment = text.substr(0, comma);
    text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    int value = 0;
    const bool shaped = assignment.size() > 2 && assignment[1] == '=';
    const auto digits = shaped ? assignment.substr(2) : std::string_view{};
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (!shaped || failure != std::errc() || end != digits.data() + digits.size()) {
      error = "--set takes LETTER=NUMBER pairs (T, S, O, H), not \"" + std::string(assignment) + "\"";
      return false;
    }
    switch (assignment[0]) {
      case 'T':
        options.toolNumber = value;
        options.toolChange = value != 0;
        break;
      case 'S': options.spindleSpeed = value; break;
      case 'O':
        options.programNumber = value;
        options.programNumberOn = value != 0;
        break;
      case 'H': layer.lengthOffset = value; break;
      default:
        error = "--set knows T, S, O and H, not \"" + std::string(assignment) + "\"";
        return false;
    }
  }
  return true;
}

}  // namespace

int RunTemplateOutput(ToolpathDatabase& db, const TemplateRequest& request, const BatchStreams& streams) {
  PostTemplate postTemplate;
  const std::string& templatePath = request.templatePath;
  if (const FileStatus loaded = postTemplate.LoadTemplate(templatePath, MissingTemplate::Fail); !loaded) {
    streams.err << "fendo-batch: " << templatePath << ": " << loaded.reason << '\n';
    return 1;
  }
  if (request.noPromptDefaults && postTemplate.UsesPromptVariables()) {
    streams.err << "fendo-batch: " << templatePath
                << ": the template asks for values while writing (?X and the like), and --no-prompt-defaults "
                   "forbids taking the current ones\n";
    return 1;
  }
  PostOutputOptions options;
  options.templatePath = templatePath;
  options.outputPath = request.outputPath;
  LayerSlot& layer = db.layers[db.layers.workLayer];
  PresetPostOutputOptions(options, layer);
  std::string error;
  if (request.values && !ApplyTemplateValues(*request.values, options, layer, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  BatchPrompts prompts(streams.err, request.goOn);
  const PostResult result = RunPostProcessor(db, postTemplate, options, prompts);
  switch (result.status) {
    case PostStatus::Written:
      if (result.arcsAsLines > 0) {
        streams.err << "fendo-batch: " << options.outputPath << ": arcs a control would refuse as they were: "
                    << result.arcsAsLines
                    << " written as straight feeds to their end points (no radius, or the end off the start's "
                       "circle)\n";
      }
      return 0;
    case PostStatus::NoMotion:
      streams.err << "fendo-batch: " << options.outputPath << ": " << kNothingToWriteText
                  << " (no motion to write); nothing was written\n";
      break;
    case PostStatus::NoMotionBlock:
      streams.err << "fendo-batch: " << templatePath << ": " << result.reason << "; nothing was written\n";
      break;
    case PostStatus::CannotCreate:
      streams.err << "fendo-batch: " << options.outputPath << ": cannot create: " << result.reason << '\n';
      break;
    case PostStatus::WriteFailed:
      streams.err << "fendo-batch: " << options.outputPath << ": writing failed: " << result.reason
                  << "; the file is as it was before\n";
      break;
  }
  return 1;
}

}  // namespace fendo
