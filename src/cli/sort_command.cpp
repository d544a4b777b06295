// fendo-batch sort: "공구경로 정렬" with the values CSortDlg would take, then the program written
// with the output options given; the rapid length before and after tells what the order saved.
#include <string>

#include "cli/batch_program.h"
#include "cli/edited_program.h"
#include "cli/output_flags.h"
#include "core/statistics.h"
#include "edit/path_sort.h"

namespace fendo {
namespace {

bool ReadMode(SortParams& p, std::string_view text, std::string& error) {
  constexpr SortMode kModes[] = {SortMode::StartToStart, SortMode::EndToStart, SortMode::EitherEnd,
                                 SortMode::ReturnHeight};
  if (text.size() != 1 || text[0] < '1' || text[0] > '4') {
    error = "--mode takes 1, 2, 3 or 4, not \"" + std::string(text) + "\"";
    return false;
  }
  p.mode = kModes[text[0] - '1'];
  return true;
}

constexpr Option<SortParams> kSortOptions[] = {
    {"--mode", "1|2|3|4",
     "1 \"방향유지, 시작점-시작점\": the nearest start from the start of\n"
     "  the path placed last;\n"
     "2 \"방향유지, 시작점-끝점\": the nearest start from its end;\n"
     "3 \"방향무시\": the nearest start or end from its start or end, a\n"
     "  path reached at its end cut backwards;\n"
     "4 \"정렬거리내 복귀높이 \": the order stays; between paths closer than\n"
     "  the distance the tool rises only to the height.",
     ReadMode},
    {"--distance", "D", "\"정렬 거리\", mm: paths farther apart keep the old order\n(default {default}, {range})",
     Store<&SortParams::distance>, "distance"},
    {"--height", "H",
     "\"복귀 높이\", mode 4, mm above the higher end (default {default},\n"
     "{range}); 0 feeds across, -1 feeds straight to the next approach",
     Store<&SortParams::height>, "height"},
};

}  // namespace

const OptionGroup& SortOptionGroup() {
  static const OptionGroup group =
      std::move(OptionGroup("options").Add<SortParams>(kSortOptions, SortRanges()));
  return group;
}

int RunSort(const BatchArguments& args, const BatchStreams& streams) {
  if (args.files.size() != 1 || !args.Has(kOutputFlag) || !args.Has("--mode")) {
    streams.err << "fendo-batch: sort takes one input, -o OUT and --mode (see fendo-batch --help)\n";
    return 2;
  }
  SortParams params;
  std::string error;
  if (!ApplyOptions(args, std::span<const Option<SortParams>>(kSortOptions), params, error)) {
    streams.err << "fendo-batch: " << error << '\n';
    return 2;
  }
  if (const std::optional<OptionOutOfRange> refused = CheckSortParams(params)) {
    streams.err << "fendo-batch: --" << refused->field << ": " << refused->message << '\n';
    return 2;
  }
  double rapidBefore = 0;
  const auto report = [&rapidBefore](ToolpathDatabase& db, bool after, std::ostream& out) {
    const double rapid = MeasureStatistics(db).rapidLength;
    if (!after) {
      rapidBefore = rapid;
      return;
    }
    char line[96];
    std::snprintf(line, sizeof line, "rapid length: %.3f -> %.3f\n", rapidBefore, rapid);
    out << line;
  };
  return RunProgramEdit(args, streams,
                        {"sort", [params](ToolpathDatabase& db, std::string&) { return SortPaths(db, params); }, report});
}

}  // namespace fendo
