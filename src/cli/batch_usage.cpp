// The help of fendo-batch, printed from the command table and the option tables: the commands,
// then each option group where the first command that takes it stands, then the options every
// command knows.
#include <algorithm>
#include <array>

#include "cli/batch_commands.h"

namespace fendo {
namespace {

constexpr std::string_view kIntroduction = R"(Usage: fendo-batch COMMAND [OPTIONS] FILE...

Reads NC programs (ISO G-code or Heidenhain conversational text) the way the Fendo desktop
program opens them, reports on them, converts and filters them without a display.

)";

constexpr std::string_view kExitStatus =
    R"(Exit status: 0 when everything was done; 1 when a file could not be read (or was read only in
part), could not be written, or the run stopped at a diagonal rapid move (the reason is written
to standard error; info still reports the other files), or a feed change or a master model
could not be made; 2 for a mistake in the arguments or a value out of its range.
)";

// The help of a command or an option starts in this column, two after the widest name.
constexpr std::size_t kNameWidth = 22;
constexpr std::string_view kIndent = "  ";
// The options of an operation stand further in, below it.
constexpr std::string_view kOperationIndent = "      ";

constexpr std::array<std::string_view, 6> kCountWords = {"zero", "one", "two", "three", "four", "five"};

// `name` and the lines of its help in two columns. A name too wide for its column is followed
// by two spaces (an option) or stands on a line of its own (a command).
void AppendRow(std::string& text, std::string_view indent, const std::string& name,
               std::span<const std::string> help, bool wideNameOwnLine) {
  const std::string column = std::string(indent) + std::string(kNameWidth, ' ');
  text.append(indent).append(name);
  std::size_t first = 0;
  if (name.size() + 2 > kNameWidth && wideNameOwnLine) {
    text += '\n';
  } else if (!help.empty()) {
    text.append(name.size() < kNameWidth ? kNameWidth - name.size() : 2, ' ').append(help.front()).append("\n");
    first = 1;
  } else {
    text += '\n';
  }
  for (std::size_t i = first; i < help.size(); ++i) text.append(column).append(help[i]).append("\n");
}

void AppendEntries(std::string& text, const OptionGroup& group) {
  for (const OptionEntry& entry : group.entries()) {
    if (entry.layout == OptionLayout::Beside) {
      text.pop_back();  // the line feed of the option before
      text.append(kOperationIndent).append(entry.Name()).append(" ").append(entry.help.front()).append("\n");
      continue;
    }
    AppendRow(text, entry.depth == 0 ? kIndent : kOperationIndent, entry.Name(), entry.help, false);
  }
  for (std::string_view line : group.afterword()) text.append(kIndent).append(line).append("\n");
}

// "info options:" for the group of one command; for a group several take, its title and the
// commands: "Reader options (info, dump; filter and master build take the first two):".
std::string Heading(const OptionGroup& group) {
  std::vector<std::string> whole;
  std::vector<std::string> part;
  std::size_t partRows = 0;
  for (const BatchCommand& command : BatchCommands()) {
    for (const OptionGroupUse& use : command.groups) {
      if (!use.group || &use.group() != &group) continue;
      if (use.rows >= group.entries().size()) {
        whole.push_back(command.FullName());
      } else {
        part.push_back(command.FullName());
        partRows = use.rows;
      }
    }
  }
  if (whole.size() + part.size() == 1) return (whole.empty() ? part : whole).front() + " " + std::string(group.title()) + ":";
  std::string heading(group.title());
  if (whole.empty() && part.empty()) return heading + ":";
  heading.append(" (").append(JoinedList(whole, ", "));
  if (!part.empty()) {
    heading.append("; ").append(JoinedList(part, " and ")).append(" take the first ").append(kCountWords.at(partRows));
  }
  return heading.append(")").append(group.note()).append(":");
}

}  // namespace

std::string BatchUsage() {
  std::string text(kIntroduction);
  text.append("Commands:\n");
  for (const BatchCommand& command : BatchCommands()) {
    const std::vector<std::string> help = HelpLines(command.help, std::nullopt, std::nullopt);
    AppendRow(text, kIndent, std::string(command.synopsis), help, true);
  }
  std::vector<const OptionGroup*> shown;
  for (const BatchCommand& command : BatchCommands()) {
    for (const OptionGroupUse& use : command.groups) {
      if (!use.group || std::ranges::find(shown, &use.group()) != shown.end()) continue;
      shown.push_back(&use.group());
      text.append("\n").append(Heading(use.group())).append("\n");
      AppendEntries(text, use.group());
    }
  }
  text.append("\n").append(Heading(GeneralOptionGroup())).append("\n");
  AppendEntries(text, GeneralOptionGroup());
  return text.append("\n").append(kExitStatus);
}

}  // namespace fendo
