#include "cli/batch_program.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/output_flags.h"
#include "cli/terminal_progress.h"
#include "config/nc_options_file.h"
#include "config/system_settings.h"

namespace fendo {
namespace {

// The words of --arc-centres.
constexpr std::string_view kAbsoluteCentres = "absolute";
constexpr std::string_view kRelativeCentres = "relative";

bool ReadArcCentres(NcOptions& options, std::string_view text, std::string& error) {
  if (text != kAbsoluteCentres && text != kRelativeCentres) {
    error = "--arc-centres takes absolute or relative, not \"" + std::string(text) + "\"";
    return false;
  }
  options.arcCentreAbsInputChk = text == kAbsoluteCentres;
  return true;
}

// filter and master build take the rows before --arcs-to-lines (it names one of the filter's
// operations there), so it stays the last row.
constexpr Option<NcOptions> kReaderOptions[] = {
    {"--heidenhain", "", "Read Heidenhain conversational text.", Turn<&NcOptions::heidenhainInputChk, true>},
    {"--int", "", "The program's numbers are integers in thousandths of a millimetre.",
     Turn<&NcOptions::intNcdataFlg, true>},
    {"--arc-centres", "MODE",
     "How I J K of arcs are read: absolute, as the centre's coordinates, or\n"
     "relative (the default), as offsets from the arc's start. G90.1 and\n"
     "G91.1 in the program switch from where they stand.",
     ReadArcCentres},
    {"--arcs-to-lines", "", "Turn arcs into straight feed moves while reading (within 0.001 mm).",
     Turn<&NcOptions::arcToCutInputChk, true>},
};

std::string_view DialectName(bool heidenhain) { return heidenhain ? "Heidenhain" : "ISO"; }

}  // namespace

std::string OtherDialectText(const DialectCheck& check, bool readAsHeidenhain) {
  const std::string how = readAsHeidenhain ? "without --heidenhain (\"Heidenhain 입력\" off in the settings)"
                                           : "with --heidenhain (\"Heidenhain 입력\" in the settings)";
  const auto moves = [](std::int64_t count, std::int64_t arcs) {
    return std::to_string(count) + " moves, " + std::to_string(arcs) + " of them arcs";
  };
  return "looks like " + std::string(DialectName(!readAsHeidenhain)) + ": read as " +
         std::string(DialectName(readAsHeidenhain)) + " it gives " + moves(check.moves, check.arcs) + ", read as " +
         std::string(DialectName(!readAsHeidenhain)) + " " + moves(check.otherMoves, check.otherArcs) + "; read it " +
         how;
}

namespace {

// Says on the error stream why `file` could not be read completely (nothing when it could).
void ReportLoadFailure(const std::string& file, const LoadResult& result, bool readAsHeidenhain, std::ostream& err) {
  if (result.ok()) return;
  err << "fendo-batch: " << file << ": ";
  switch (result.status) {
    case LoadStatus::Ok: break;
    case LoadStatus::CannotOpen: err << "cannot open: " << result.reason; break;
    case LoadStatus::NotProgram: err << result.reason; break;
    case LoadStatus::ReadFailed:
      err << "reading failed after line " << result.lines << ": " << result.reason;
      break;
    case LoadStatus::RecordLimit:
      err << "the program has more than " << ToolpathDatabase::kMaxRecords
          << " records; reading stopped at line " << result.lines << " and the rest is not loaded";
      break;
    case LoadStatus::OutOfMemory:
      err << "out of memory; reading stopped at line " << result.lines << " and the rest is not loaded";
      break;
    case LoadStatus::OtherDialect: err << OtherDialectText(result.dialect, readAsHeidenhain); break;
  }
  err << '\n';
}

// Says how many arcs were not written as they were held because a control would refuse them.
void ReportRefusedArcs(const WriteResult& result, const std::string& path, std::ostream& err) {
  if (result.arcsAsLines == 0 && result.arcsByOffsets == 0) return;
  err << "fendo-batch: " << path << ": arcs a control would refuse as they were:";
  if (result.arcsAsLines > 0) {
    err << ' ' << result.arcsAsLines
        << " written as straight feeds to their end points (no radius, or the end off the start's circle)";
  }
  if (result.arcsAsLines > 0 && result.arcsByOffsets > 0) err << ',';
  if (result.arcsByOffsets > 0) {
    err << ' ' << result.arcsByOffsets << " written by I J K (full and half turns, which R cannot name)";
  }
  err << '\n';
}

}  // namespace

const OptionGroup& ReaderOptionGroup() {
  static const OptionGroup group = std::move(
      OptionGroup("Reader options")
          .Add<NcOptions>(kReaderOptions)
          .Afterword("Without them the reader options come from fendo.par in the configured ConfigDir (read\n"
                     "from fendo.cfg in $FENDO_SYSTEM_DIR, else $XDG_CONFIG_HOME/fendo, else ~/.config/fendo), as\n"
                     "the desktop program takes them; with any of them, exactly the options given are on."));
  return group;
}

int ReportWriteResult(const WriteResult& result, const std::string& path, std::ostream& err) {
  if (result.status == WriteStatus::Written || result.status == WriteStatus::Stopped) {
    ReportRefusedArcs(result, path, err);
  }
  switch (result.status) {
    case WriteStatus::Written: return 0;
    case WriteStatus::CannotCreate:
      err << "fendo-batch: " << path << ": cannot create: " << result.reason << '\n';
      break;
    case WriteStatus::WriteFailed:
      err << "fendo-batch: " << path << ": writing failed: " << result.reason << "; the file is as it was before\n";
      break;
    case WriteStatus::MixedUnits:
      err << "fendo-batch: " << path << ": the layers are in different units (" << result.reason
          << "); nothing was written\n";
      break;
    case WriteStatus::NoMotion:
      err << "fendo-batch: " << path << ": " << result.reason << " (no motion to write); nothing was written\n";
      break;
    case WriteStatus::Stopped:
      err << "fendo-batch: " << path << ": stopped at a diagonal rapid move; the part written so far is kept "
          << "(--yes goes on, --no-diagonal-check does not ask)\n";
      break;
  }
  return 1;
}

bool OutputIsAnInput(const BatchArguments& args, std::ostream& err) {
  const auto output = args.values.find(std::string(kOutputFlag));
  if (output == args.values.end()) return false;
  for (const std::string& input : args.files) {
    std::error_code ignored;
    // The same file under another spelling (./a.nc, a link) counts as well.
    if (input != output->second && !std::filesystem::equivalent(input, output->second, ignored)) continue;
    const std::string verb = args.subcommand.empty() ? args.command : args.command + " " + args.subcommand;
    err << "fendo-batch: " << verb << " would write its output over its input " << input
        << "; give another -o (see fendo-batch --help)\n";
    return true;
  }
  return false;
}

bool CheckReaderOptions(const BatchArguments& args, std::ostream& err) {
  NcOptions options;
  std::string error;
  if (ApplyOptions(args, kReaderOptions, options, error)) return true;
  err << "fendo-batch: " << error << " (see fendo-batch --help)\n";
  return false;
}

NcOptions ReaderOptions(const BatchArguments& args, std::ostream& err) {
  // A switch counts only as a switch: filter's --arcs-to-lines takes a value and is no reader option.
  const bool given = std::ranges::any_of(kReaderOptions, [&args](const Option<NcOptions>& row) {
    const std::string flag(row.flag);
    return row.value.empty() ? args.flags.count(flag) > 0 : args.values.count(flag) > 0;
  });
  NcOptions options;
  std::string checkedBefore;
  if (given) {
    ApplyOptions(args, kReaderOptions, options, checkedBefore);
    return options;
  }
  const LoadedSystemSettings system = ReadBatchSettings();
  if (!system.status) err << "fendo-batch: warning: " << system.status.reason << '\n';
  const std::filesystem::path path = NcOptionsPath(system.settings);
  if (const FileStatus status = ReadNcOptionsFile(path, options); !status) {
    err << "fendo-batch: warning: " << path.string() << ": " << status.reason
        << "; reading with the default options\n";
  }
  return options;
}

LoadResult LoadIntoWorkLayer(ToolpathDatabase& db, const std::string& file, const BatchStreams& streams) {
  LoadResult result;
  {
    std::optional<TerminalProgress> progress;
    if (streams.terminal) progress.emplace(streams.err);
    result = LoadFile(db, file, progress ? &*progress : nullptr);
  }
  if (!result.refused()) RunAfterLoadSteps(db, file);
  ReportLoadFailure(file, result, db.options.heidenhainInputChk, streams.err);
  // The writer cannot tell these from true half circles: the reader says so for every verb.
  if (result.shortRadiusArcs > 0) {
    streams.err << "fendo-batch: " << file << ": " << result.shortRadiusArcs
                << " arcs with R shorter than half the chord, read as half circles (a control refuses them)\n";
  }
  return result;
}

LoadedProgram LoadProgram(const std::string& file, const NcOptions& options, const BatchStreams& streams) {
  LoadedProgram program;
  program.db->options = options;
  program.result = LoadIntoWorkLayer(*program.db, file, streams);
  return program;
}

}  // namespace fendo
