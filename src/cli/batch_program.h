#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "cli/option_table.h"
#include "core/nc_options.h"
#include "core/nc_reader.h"
#include "core/toolpath_database.h"
#include "output/nc_writer.h"

namespace fendo {

// A program loaded as the desktop program opens one: read, then the after-load steps.
struct LoadedProgram {
  std::unique_ptr<ToolpathDatabase> db = std::make_unique<ToolpathDatabase>();
  LoadResult result;
};

// The reader options --heidenhain, --int, --arc-centres and --arcs-to-lines; filter and master
// build take the first three.
const OptionGroup& ReaderOptionGroup();

// Whether the values of the reader options given are ones they take; false, with the reason on
// the error stream, when one is not. Checked before any command runs.
bool CheckReaderOptions(const BatchArguments& args, std::ostream& err);

// The reader options (their values checked): those given on the command line, else those of
// fendo.par in the configured ConfigDir, as the desktop program takes them.
NcOptions ReaderOptions(const BatchArguments& args, std::ostream& err);

// What the reading of a program in the other dialect showed, and how to read it in that one.
std::string OtherDialectText(const DialectCheck& check, bool readAsHeidenhain);

// Reads `file` into the work layer of `db` with the database's reader options, then runs the
// after-load steps; a file that could not be read completely is reported on the error stream.
LoadResult LoadIntoWorkLayer(ToolpathDatabase& db, const std::string& file, const BatchStreams& streams);

// Loads `file` into a database of its own, as LoadIntoWorkLayer does.
LoadedProgram LoadProgram(const std::string& file, const NcOptions& options, const BatchStreams& streams);

// The text reports of a command over several programs, one after another on one stream, a
// blank line between two.
class TextBlocks {
 public:
  explicit TextBlocks(std::ostream& out) : out_(out) {}

  // The stream for the next report, after the blank line that parts it from the one before.
  std::ostream& Next() {
    if (started_) out_ << '\n';
    started_ = true;
    return out_;
  }

 private:
  std::ostream& out_;
  bool started_ = false;
};

// Says on the error stream how a write that did not complete ended; the exit status.
int ReportWriteResult(const WriteResult& result, const std::string& path, std::ostream& err);

// Whether -o names one of the input files, the same file under any spelling; said on the error
// stream when it does. For the commands whose output is no program: it would replace its source.
bool OutputIsAnInput(const BatchArguments& args, std::ostream& err);

// What convert --template is asked to do.
struct TemplateRequest {
  std::string templatePath;                  // --template
  std::optional<std::string> values;         // --set: "T=1,S=1000,O=0,H=1"
  bool noPromptDefaults = false;             // --no-prompt-defaults
  std::string outputPath;                    // -o
  bool goOn = false;                         // --yes
};

// Writes the work layer through the template of --template (convert).
int RunTemplateOutput(ToolpathDatabase& db, const TemplateRequest& request, const BatchStreams& streams);

// The commands, each with its own options.
int RunInfo(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& InfoOptionGroup();
int RunDump(const BatchArguments& args, const BatchStreams& streams);
int RunConvert(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& ConvertOptionGroup();
int RunFilter(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& FilterOptionGroup();
int RunEdit(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& EditOptionGroup();
int RunFeed(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& FeedOptionGroup();
int RunOptimize(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& OptimizeOptionGroup();
int RunMasterBuild(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& MasterBuildOptionGroup();
int RunMasterInfo(const BatchArguments& args, const BatchStreams& streams);
int RunLayers(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& LayersOptionGroup();
int RunCheck(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& CheckOptionGroup();
int RunRender(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& RenderOptionGroup();
int RunCorners(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& CornersOptionGroup();
int RunContour(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& ContourOptionGroup();
int RunTransform(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& TransformOptionGroup();
int RunSort(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& SortOptionGroup();
int RunTrim(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& TrimOptionGroup();
int RunOffset(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& OffsetOptionGroup();
int RunGenerateRadial(const BatchArguments& args, const BatchStreams& streams);
int RunGenerateSpiral(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& RingOptionGroup();
int RunRadialSpacing(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& RadialSpacingOptionGroup();
int RunPencil(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& PencilOptionGroup();
int RunGeneratePocket(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& PocketOptionGroup();
int RunGenerateProfile(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& ProfileOptionGroup();
int RunGenerateFace(const BatchArguments& args, const BatchStreams& streams);
const OptionGroup& FaceOptionGroup();

}  // namespace fendo
