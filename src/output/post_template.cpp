#include "output/post_template.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <optional>

#include "core/line_reader.h"
#include "core/output_file.h"

namespace fendo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kEndMark = "[End]";
constexpr std::string_view kTemplateExtension = ".ppr";
// Trimmed from both ends of a line read from a template file.
constexpr std::string_view kBlanks = " \t\r\n\v\f";

// One row per section, in TemplateSectionId order: the name that marks it in a template file
// and its text in the built-in default template.
struct SectionRow {
  std::string_view name;
  std::string_view defaultText;
};

// The arcs carry [$F] like the straight cuts: a feed changed on an arc (the feed optimizer slows
// small arcs) must reach the machine, and the cut after the arc compares its feed with the arc's.

constexpr std::array<SectionRow, kTemplateSectionCount> kSections = {{
    {"[Start]", "%\r\nO$O\r\nN$NG90G17G00[$X][$Y][$Z]\r\n"},
    {"[NewCut]", "N$NG01[$X][$Y][$Z][$F]\r\n"},
    {"[Cut]", "N$N[$X][$Y][$Z][$F]\r\n"},
    {"[NewRapid]", "N$NG00[$X][$Y][$Z]\r\n"},
    {"[Rapid]", "N$N[$X][$Y][$Z]\r\n"},
    {"[NewXyCW]", "N$NG17G02[$X][$Y][$Z]I$IJ$J[$F]\r\n"},
    {"[XyCW]", "N$N[$X][$Y][$Z]I$IJ$J[$F]\r\n"},
    {"[NewXyCCW]", "N$NG17G03[$X][$Y][$Z]I$IJ$J[$F]\r\n"},
    {"[XyCCW]", "N$N[$X][$Y][$Z]I$IJ$J[$F]\r\n"},
    {"[NewYzCW]", "N$NG19G02[$X][$Y][$Z]J$JK$K[$F]\r\n"},
    {"[YzCW]", "N$N[$X][$Y][$Z]J$JK$K[$F]\r\n"},
    {"[NewYzCCW]", "N$NG19G03[$X][$Y][$Z]J$JK$K[$F]\r\n"},
    {"[YzCCW]", "N$N[$X][$Y][$Z]J$JK$K[$F]\r\n"},
    {"[NewZxCW]", "N$NG18G02[$X][$Y][$Z]I$IK$K[$F]\r\n"},
    {"[ZxCW]", "N$N[$X][$Y][$Z]I$IK$K[$F]\r\n"},
    {"[NewZxCCW]", "N$NG18G03[$X][$Y][$Z]I$IK$K[$F]\r\n"},
    {"[ZxCCW]", "N$N[$X][$Y][$Z]I$IK$K[$F]\r\n"},
    {"[Tool]", "N$NG49\r\nN$NG28G91Z0.0T$TM06\r\nN$NG90\r\nN$NG43Z$ZH$H\r\n"},
    {"[Spindle]", "N$NS$SM03\r\n"},
    {"[Term]", "N$NM09\r\nN$NM30\r\n%\r\n"},
}};

TemplateSectionId SectionAt(std::size_t index) { return static_cast<TemplateSectionId>(index); }

// The first section (in table order) whose name the line contains.
std::optional<TemplateSectionId> SectionNamedIn(std::string_view line) {
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    if (line.find(kSections[s].name) != std::string_view::npos) return SectionAt(s);
  }
  return std::nullopt;
}

std::string_view Trim(std::string_view line) {
  const std::size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

// A bracketed word such as "[Strat]": outside a section, meant as a section's name.
bool LooksLikeSectionName(std::string_view line) {
  if (line.size() < 3 || line.front() != '[' || line.back() != ']' || line == kEndMark) return false;
  const std::string_view word = line.substr(1, line.size() - 2);
  return std::all_of(word.begin(), word.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

bool IsMissing(const fs::path& path) {
  std::error_code error;
  return fs::status(path, error).type() == fs::file_type::not_found;
}

}  // namespace

std::string TemplateSection::Text() const {
  std::string text;
  for (const TemplateLine& line : lines) text += line.text;
  return text;
}

std::string_view PostTemplate::SectionName(TemplateSectionId id) { return kSections[Index(id)].name; }

void PostTemplate::AddLine(TemplateSectionId id, std::string_view line) {
  TemplateSection& section = sections_[Index(id)];
  if (section.lines.size() >= TemplateSection::kMaxLines) return;
  section.lines.push_back({std::string(line), ComputeLineMasks(line)});
}

void PostTemplate::ClearSection(TemplateSectionId id) { sections_[Index(id)].lines.clear(); }

void PostTemplate::ApplySectionEdit(TemplateSectionId id, std::string_view text) {
  ClearSection(id);
  for (std::size_t end; (end = text.find(kLineBreak)) != std::string_view::npos;) {
    AddLine(id, text.substr(0, end + kLineBreak.size()));
    text.remove_prefix(end + kLineBreak.size());
  }
}

void PostTemplate::Reset() {
  for (std::size_t s = 0; s < kSections.size(); ++s) ApplySectionEdit(SectionAt(s), kSections[s].defaultText);
}

FileStatus PostTemplate::ReadSections(LineReader& reader, PostTemplate& read) {
  const auto refused = [](int line, const std::string& why) {
    return FileStatus::Failure("line " + std::to_string(line) + ": " + why);
  };
  std::string_view line;
  std::string text;
  int number = 0;
  while (reader.Next(line)) {
    ++number;
    const std::optional<TemplateSectionId> id = SectionNamedIn(line);
    if (!id) {
      if (LooksLikeSectionName(Trim(line))) {
        return refused(number, "unknown section " + std::string(Trim(line)) + " (a misspelt name, or a section "
                                                                               "the writer does not have)");
      }
      continue;
    }
    const std::string name(kSections[Index(*id)].name);
    const int opened = number;
    read.ClearSection(*id);
    bool ended = false;
    while (reader.Next(line)) {
      ++number;
      if (line.find(kEndMark) != std::string_view::npos) {
        ended = true;
        break;
      }
      if (const std::optional<TemplateSectionId> next = SectionNamedIn(line)) {
        return refused(opened, name + " has no " + std::string(kEndMark) + " before " +
                                   std::string(kSections[Index(*next)].name) + " on line " + std::to_string(number));
      }
      if (read.section(*id).lines.size() == TemplateSection::kMaxLines) {
        return refused(number, name + " has more than " + std::to_string(TemplateSection::kMaxLines) +
                                   " lines, the most a section writes");
      }
      text = Trim(line);
      text += kLineBreak;
      read.AddLine(*id, text);
    }
    if (!reader.error().empty()) return FileStatus::Failure(reader.error());
    if (!ended) return refused(opened, name + " has no " + std::string(kEndMark) + " before the end of the file");
  }
  if (!reader.error().empty()) return FileStatus::Failure(reader.error());
  return {};
}

FileStatus PostTemplate::LoadTemplate(const fs::path& path, MissingTemplate missing) {
  fs::path withExtension = path;
  withExtension += kTemplateExtension;
  // The caller knows `path`; a reason about the other file names it.
  const auto failure = [&path](const fs::path& file, const std::string& reason) {
    return FileStatus::Failure(file == path ? reason : file.string() + ": " + reason);
  };
  FileStatus status;
  for (const fs::path& candidate : {path, withExtension}) {
    std::string reason;
    std::optional<LineReader> reader = LineReader::Open(candidate, reason);
    if (!reader) {
      if (status && !IsMissing(candidate)) status = failure(candidate, reason);
      continue;
    }
    // A template read in part would write a program from a mixture of two templates.
    PostTemplate read;
    if (const FileStatus readStatus = ReadSections(*reader, read); !readStatus) {
      return failure(candidate, readStatus.reason);
    }
    *this = std::move(read);
    return {};
  }
  if (status && missing == MissingTemplate::Fail) {
    return FileStatus::Failure("no such file (nor " + withExtension.string() + ")");
  }
  if (status) Reset();
  return status;
}

FileStatus PostTemplate::LoadTemplateText(std::string_view text) {
  LineReader reader(text);
  PostTemplate read;
  const FileStatus status = ReadSections(reader, read);
  if (status) *this = std::move(read);
  return status;
}

std::string PostTemplate::TemplateText() const {
  std::string text;
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    text += kLineBreak;
    text += kSections[s].name;
    text += kLineBreak;
    text += sections_[s].Text();
    text += kEndMark;
    text += kLineBreak;
  }
  return text;
}

FileStatus PostTemplate::SaveTemplate(const fs::path& path) const {
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    for (const TemplateLine& line : sections_[s].lines) {
      if (line.text.find(kEndMark) != std::string::npos) {
        return FileStatus::Failure("a line of " + std::string(kSections[s].name) + " holds " +
                                   std::string(kEndMark) + ", which would end the section when the file is read");
      }
    }
  }
  OutputFile file(path);
  file.Write(TemplateText());
  return file.Close();
}

bool PostTemplate::WritesMotion() const {
  constexpr std::uint32_t kAxes = (1u << ('X' - 'A')) | (1u << ('Y' - 'A')) | (1u << ('Z' - 'A'));
  const auto writesAxis = [](const TemplateLine& line) {
    return ((line.masks.bracket | line.masks.plain | line.masks.prompt) & kAxes) != 0;
  };
  for (std::size_t s = Index(TemplateSectionId::NewCut); s <= Index(TemplateSectionId::ZxCCW); ++s) {
    if (std::any_of(sections_[s].lines.begin(), sections_[s].lines.end(), writesAxis)) return true;
  }
  return false;
}

bool PostTemplate::UsesPromptVariables() const {
  return std::any_of(sections_.begin(), sections_.end(), [](const TemplateSection& section) {
    return std::any_of(section.lines.begin(), section.lines.end(),
                       [](const TemplateLine& line) { return AsksForValues(line.masks); });
  });
}

}  // namespace fendo
