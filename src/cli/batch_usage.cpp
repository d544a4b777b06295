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

// How a name too wide for its column stands: an option's help follows it after two spaces, a
// command's help starts on the next line.
enum class WideName { TwoSpaces, OwnLine };

// `name` and the lines of its help in two columns.
void AppendRow(std::string& text, std::string_view indent, std::string_view name, std::span<const std::string> help,
               WideName wide) {
  const std::string column = std::string(indent) + std::string(kNameWidth, ' ');
  text.append(indent).append(name);
  std::span<const std::string> rest = help;
  const bool ownLine = wide == WideName::OwnLine && name.size() + 2 > kNameWidth;
  if (!ownLine && !help.empty()) {
    text.append(name.size() < kNameWidth ? kNameWidth - name.size() : 2, ' ').append(help.front());
    rest = help.subspan(1);
  }
  text += '\n';
  for (const std::string& line : rest) text.append(column).append(line).append("\n");
}

void AppendEntries(std::string& text, const OptionGroup& group) {
  for (const OptionEntry& entry : group.entries()) {
    if (entry.layout == OptionLayout::Beside) {
      text.pop_back();  // the line feed of the option before
      text.append(kOperationIndent).append(entry.Name()).append(" ").append(entry.help.front()).append("\n");
      continue;
    }
    AppendRow(text, entry.depth == 0 ? kIndent : kOperationIndent, entry.Name(), entry.help, WideName::TwoSpaces);
  }
  for (std::string_view line : group.afterword()) text.append(kIndent).append(line).append("\n");
}

// "info options:" for the group of one command; for a group several take, its title and the
// commands: "Reader options (info, dump; filter and master build take the first two):" (the
// commands that take part of a group take the same first rows).
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
  std::string heading(group.title());
  if (whole.empty() && part.empty()) return heading + ":";
  if (whole.size() + part.size() == 1) return (whole.empty() ? part : whole).front() + " " + heading + ":";
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
    AppendRow(text, kIndent, command.synopsis, help, WideName::OwnLine);
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
