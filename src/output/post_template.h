#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_status.h"
#include "output/template_expansion.h"

namespace fendo {

class LineReader;

// The sections of a post-processor template, in the order a template file is written.
enum class TemplateSectionId : std::uint8_t {
  Start,     // once, before the first record
  NewCut,    // a FeedStart record
  Cut,       // a Feed record
  NewRapid,  // a RapidStart record
  Rapid,     // a Rapid record
  NewXyCW,   // the first clockwise arc of a run in the XY plane
  XyCW,      // the clockwise XY arcs that follow it
  NewXyCCW,
  XyCCW,
  NewYzCW,
  YzCW,
  NewYzCCW,
  YzCCW,
  NewZxCW,
  ZxCW,
  NewZxCCW,
  ZxCCW,
  Tool,      // once after [Start], when the tool box is ticked
  Spindle,   // once after [Start] and [Tool]
  Term,      // once, after the last record
};
inline constexpr int kTemplateSectionCount = 20;

struct TemplateLine {
  std::string text;  // ends in CR LF
  LineMasks masks;   // the variables it uses
};

struct TemplateSection {
  static constexpr int kMaxLines = 10;

  std::vector<TemplateLine> lines;  // written in order; none: the section writes nothing

  // The lines one after another: what the section editor shows and a template file stores.
  std::string Text() const;
};

// A template of twenty sections, each up to ten lines, from which the post-processor writes
// every line of an NC program. It starts as the built-in default template; a template file
// (*.ppr) replaces the sections it defines.
//
// The *.ppr format: for each section in order "\r\n[Name]\r\n", its lines (each ending in
// CR LF), "[End]\r\n". Reading accepts any order and ignores other text outside sections: a
// line that contains a section name starts that section, whose lines follow, trimmed at both
// ends, up to a line that contains "[End]"; a section named twice keeps its last definition.
// A file the writer would not write as it stands is refused, naming the line: a section of
// more than ten lines, a section without its "[End]" (the end of the file, or another
// section's name, comes first), a bracketed name outside sections that names no section.
//
// Whether a missing template file is a failure: the user's own choice must exist; the
// default.ppr every run of the desktop program starts from may be absent.
enum class MissingTemplate { UseDefaults, Fail };

class PostTemplate {
 public:
  PostTemplate() { Reset(); }

  // "[Start]", "[NewCut]" …
  static std::string_view SectionName(TemplateSectionId id);

  const TemplateSection& section(TemplateSectionId id) const { return sections_[Index(id)]; }

  // Appends a line (ending in CR LF) with its masks; a section already holding ten lines drops it.
  void AddLine(TemplateSectionId id, std::string_view line);
  void ClearSection(TemplateSectionId id);
  // The section editor's OK: the section becomes the complete lines of `text` (each ended by
  // CR LF), at most ten; a last piece without its line break is not kept.
  void ApplySectionEdit(TemplateSectionId id, std::string_view text);
  // Every section back to the built-in default template.
  void Reset();

  // The defaults, then the sections that `path` (or, when it does not exist, path + ".ppr")
  // defines. No file at either path leaves the defaults, and fails when `missing` says so; a
  // file that exists but cannot be read or is refused (above) leaves the template as it was
  // and says why.
  FileStatus LoadTemplate(const std::filesystem::path& path, MissingTemplate missing = MissingTemplate::UseDefaults);
  // The defaults, then the sections that the template file text defines; refused text leaves
  // the template as it was and says why.
  FileStatus LoadTemplateText(std::string_view text);

  // The template in the *.ppr format.
  std::string TemplateText() const;
  // Writes TemplateText to `path` (created or truncated). Refuses, writing nothing, a template
  // with a line that holds "[End]": reading the file back would cut that section short.
  FileStatus SaveTemplate(const std::filesystem::path& path) const;

  // True when some line of some section asks for a value when it is written.
  bool UsesPromptVariables() const;
  // True when some section of a motion record (the cuts, rapids and arcs) writes an axis: a
  // template without one writes a program that does not move.
  bool WritesMotion() const;

 private:
  static std::size_t Index(TemplateSectionId id) { return static_cast<std::size_t>(id); }
  // The sections the reader's text defines over the defaults, or why the text is refused.
  static FileStatus ReadSections(LineReader& reader, PostTemplate& read);

  std::array<TemplateSection, kTemplateSectionCount> sections_;
};

}  // namespace fendo
