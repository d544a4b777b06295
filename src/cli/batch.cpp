#include "cli/batch.h"

#include "cli/batch_program.h"

namespace fendo {
namespace {

constexpr std::string_view kUsage = R"(Usage: fendo-batch COMMAND [OPTIONS] FILE...

Reads NC programs (ISO G-code or Heidenhain conversational text) the way the Fendo desktop
program opens them, and reports on them without a display.

Commands:
  info FILE...    For each program: the records by kind, the rapid and feed lengths and
                  extents, the estimated cutting time (minutes), the highest feed, the header
                  data (program O, tool T, length offset H, spindle S, comment) and how many
                  lines were invalid or not interpreted (parameters, cycles, functions, polar
                  and machine-coordinate moves).
  dump FILE       Every record of the work buffer after loading, one a line:
                  "index kind x y z feed" - the kind as its number (0 None, 1 RapidStart,
                  2 Rapid, 3 FeedStart, 4 Feed, 6 ArcCcw, 8 ArcCw, 91/92/93 the centre of
                  the arc before it in XY/ZX/YZ, holding I J K), x y z with four decimals,
                  the feed in mm/min. Nothing else is written to standard output.
  help            This text.

Options:
  --json            info: one JSON object per program, one a line.
  --heidenhain      Read Heidenhain conversational text.
  --int             The program's numbers are integers in thousandths of a millimetre.
  --arcs-to-lines   Turn arcs into straight feed moves while reading (within 0.001 mm).
  -h, --help        This text.
  --                The arguments after it are files.

Without --heidenhain, --int or --arcs-to-lines the reader options come from fendo.par in the
configured ConfigDir (read from fendo.cfg in $FENDO_SYSTEM_DIR, else $XDG_CONFIG_HOME/fendo,
else ~/.config/fendo), as the desktop program takes them; with any of them, exactly the
options given are on.

Exit status: 0 when every program was read completely; 1 when a file could not be read or
was read only in part (the reason is written to standard error, the other files are still
processed); 2 for a mistake in the arguments.
)";

struct ParsedCommandLine {
  BatchArguments args;
  bool help = false;
  std::string error;
};

ParsedCommandLine Parse(const std::vector<std::string>& words) {
  ParsedCommandLine parsed;
  bool filesOnly = false;
  for (const std::string& word : words) {
    const auto readerFlag = [&parsed](bool NcOptions::*option) {
      if (!parsed.args.readerFlags) parsed.args.readerFlags.emplace();
      (*parsed.args.readerFlags).*option = true;
    };
    if (filesOnly || word == "-" || !word.starts_with('-')) {
      if (parsed.args.command.empty() && !filesOnly) {
        parsed.args.command = word;
      } else {
        parsed.args.files.push_back(word);
      }
    } else if (word == "--") {
      filesOnly = true;
    } else if (word == "--help" || word == "-h") {
      parsed.help = true;
    } else if (word == "--json") {
      parsed.args.json = true;
    } else if (word == "--heidenhain") {
      readerFlag(&NcOptions::heidenhainInputChk);
    } else if (word == "--int") {
      readerFlag(&NcOptions::intNcdataFlg);
    } else if (word == "--arcs-to-lines") {
      readerFlag(&NcOptions::arcToCutInputChk);
    } else {
      parsed.error = "unknown option " + word;
    }
  }
  return parsed;
}

}  // namespace

int RunBatch(const std::vector<std::string>& words, const BatchStreams& streams) {
  const ParsedCommandLine parsed = Parse(words);
  if (!parsed.error.empty()) {
    streams.err << "fendo-batch: " << parsed.error << " (see fendo-batch --help)\n";
    return 2;
  }
  if (parsed.help || parsed.args.command == "help") {
    streams.out << kUsage;
    return 0;
  }
  if (parsed.args.command == "info") return RunInfo(parsed.args, streams);
  if (parsed.args.command == "dump") return RunDump(parsed.args, streams);
  streams.err << "fendo-batch: "
              << (parsed.args.command.empty() ? "no command" : "unknown command " + parsed.args.command)
              << " (see fendo-batch --help)\n";
  return 2;
}

}  // namespace fendo
