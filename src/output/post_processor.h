#pragma once

#include <filesystem>
#include <string>

namespace fendo {

struct LayerSlot;
class PostTemplate;
class Progress;
class ToolpathDatabase;
class UserPrompts;

// The output dialog of the post-processor ("NC DATA 출력"): what one run writes and where.
struct PostOutputOptions {
  std::string templatePath;               // the template file (default.ppr in PostDir)
  std::string outputPath = "default.nc";  // the NC program written
  int spindleSpeed = 1000;                // S, rpm
  bool toolChange = false;                // "공구번호": [Tool] is written after [Start]
  int toolNumber = 1;                     // T
  bool programNumberOn = false;           // "프로그램 번호"
  int programNumber = 0;                  // O
};

// What the command puts into the dialog from the work layer's header data: its spindle speed
// when it has one, its tool (the tool box ticked when there is one) and its program number.
void PresetPostOutputOptions(PostOutputOptions& options, const LayerSlot& workLayer);

// The template every run starts from: default.ppr in PostDir.
std::filesystem::path DefaultTemplatePath(const std::filesystem::path& postDir);

enum class PostStatus {
  Written,
  NoMotion,      // the work layer has no motion record: no file was created
  NoMotionBlock, // the template's cut, rapid and arc sections write no axis: no file was created
  CannotCreate,  // the output file could not be created: nothing was written
  WriteFailed,   // writing stopped part way (a full disk, a vanished folder): the file there
                 // was is kept
};

struct PostResult {
  PostStatus status = PostStatus::Written;
  std::string reason;   // why it failed: the system's words for CannotCreate and WriteFailed
  int skippedArcs = 0;  // arcs without their centre record, which could not be written
  int arcsAsLines = 0;  // arcs a control would refuse, written as straight cuts to their ends

  bool ok() const { return status == PostStatus::Written; }
};

// Writes the work buffer as an NC program, every line from the template: [Start] (and [Tool]
// when the tool box is ticked) and [Spindle] before the records, one section per motion record,
// [Term] after them. A template whose motion sections write no axis is refused, as is a work
// layer without motion. The work layer's file name becomes the output path. Values the template
// prompts for are asked through `prompts`. The caller tells the user of a failure (a file that
// cannot be created: "화일을 열수 없습니다.\n", caption "Error message"). The records written
// are reported to `progress` when one is given.
PostResult RunPostProcessor(ToolpathDatabase& db, const PostTemplate& postTemplate, const PostOutputOptions& options,
                            UserPrompts& prompts, Progress* progress = nullptr);

}  // namespace fendo
