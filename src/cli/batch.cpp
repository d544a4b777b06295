#include "cli/batch.h"

#include "cli/batch_arguments.h"
#include "cli/batch_program.h"

namespace fendo {
namespace {

constexpr std::string_view kUsage = R"(Usage: fendo-batch COMMAND [OPTIONS] FILE...

Reads NC programs (ISO G-code or Heidenhain conversational text) the way the Fendo desktop
program opens them, reports on them, converts and filters them without a display.

Commands:
  info FILE...          For each program: the records by kind, the rapid and feed lengths and
                        extents, the estimated cutting time (minutes), the highest feed, the
                        header data (program O, tool T, length offset H, spindle S, comment) and
                        how many lines were invalid or not interpreted (parameters, cycles,
                        functions, polar and machine-coordinate moves).
  dump FILE             Every record of the work buffer after loading, one a line:
                        "index kind x y z feed" - the kind as its number (0 None, 1 RapidStart,
                        2 Rapid, 3 FeedStart, 4 Feed, 6 ArcCcw, 8 ArcCw, 91/92/93 the centre of
                        the arc before it in XY/ZX/YZ, holding I J K), x y z with four
                        decimals, the feed in mm/min. Nothing else is written to standard output.
  convert IN... -o OUT  Writes the program as NC data with the fixed writer (or a template).
                        With several inputs each is read into its own layer (0, 1, ...) and the
                        layers are written as one program, each with its own comment, tool and
                        spindle.
  filter IN -o OUT      Filters or converts the program with one operation, then writes it.
  optimize IN -o OUT    Runs the feed optimizer on the program, prints what it did, and writes it.
  feed IN -o OUT        Changes the program's feeds with one feed change, then writes it.
  master build IN -o FILE.mma
                        Builds the master model (the height grid the feed optimizer slows
                        down by) from a program that finishes the part, and writes it.
  master info FILE.mma...
                        For each master model file: the grid, the area it covers and the
                        heights, how many cells hold a height, and how many stand on walls of
                        each steepness.
  render IN -o OUT.png  Draws the program as the toolpath view shows it, fitted to the image,
                        and writes the picture as PNG.
  help                  This text.

Reader options (info, dump, convert, optimize, feed, render; filter and master build take the first two):
  --heidenhain          Read Heidenhain conversational text.
  --int                 The program's numbers are integers in thousandths of a millimetre.
  --arcs-to-lines       Turn arcs into straight feed moves while reading (within 0.001 mm).
  Without them the reader options come from fendo.par in the configured ConfigDir (read
  from fendo.cfg in $FENDO_SYSTEM_DIR, else $XDG_CONFIG_HOME/fendo, else ~/.config/fendo), as
  the desktop program takes them; with any of them, exactly the options given are on.

info options:
  --json                One JSON object per program, one a line.

Output options (convert, filter, optimize, feed); the header data start from what the program gave:
  -o FILE               The NC program to write (created or replaced).
  --heidenhain-out      Write the Heidenhain conversational form instead of ISO.
  --incremental         Write cutting moves in G91 increments (ISO only).
  --ijk                 Write arcs with their centre offsets I J K instead of R.
  --seq                 Number the lines (N1, N2, ... up to 10000, then 1 again).
  --machining-info      Add the feed extents and the cutting time after the program.
  --program N           Write the program number O N.
  --tool N              Write a tool change to tool N (0: no tool change).
  --offset N            The length offset H of the tool change.
  --spindle N           Write S N M03.
  --comment TEXT        The comment block (lines separated by line feeds).
  --source FILE         The program whose start and end part --source-start-end reuses.
  --source-start-end    Write the start and end part of --source instead of header and footer.
  --no-diagonal-check   Do not stop at rapid moves that go down and across at once.
  --yes                 At such a rapid move, go on writing instead of stopping.
  Without --no-diagonal-check or --yes a diagonal rapid move stops the run: the part written
  so far is kept and the exit status is 1.

convert options:
  --layers LIST         With several inputs: the layers to write, in order, as the layer
                        output takes them ("3 0-2 7" is 3, 0, 1, 2, 7); default all, in order.
                        In layer output the tool, offset, spindle and comment come from each
                        layer.
  --template FILE.ppr   Write through a post-processor template instead of the fixed writer.
  --set T=1,S=1000,O=0,H=1  Bind the template's tool, spindle, program number and length
                        offset.
  --no-prompt-defaults  Fail when the template asks for values; otherwise each prompt takes
                        the current value.

filter operations (exactly one):
  --linear TOL          Drop linear points within TOL (mm) of a longer straight move.
  --arcs TOL            Replace arcs within TOL of their chord by straight moves.
  --arcs-to-lines TOL   Turn arcs into straight moves within TOL.
  --lines-to-arcs       Turn runs of straight moves into arcs, with:
      --tolerance TOL       (default 0.01, 0.001 ... 5)
      --min-radius R        (default 1, 0.1 ... 100)      --max-radius R (default 1000, 10 ... 5000)
      --max-points N        (default 100, 3 ... 1000)
      --filter-first TOL    filter the linear points with TOL first (0.0001 ... 100)
      --planes xy,zx,yz     the planes to fit arcs in (default xy)

optimize options (machine 1's settings, as the transfer dialog hands them to the optimizer):
  --qel FILE.qel        Take the cutting conditions and settings from a *.qel file.
  --max-feed F          The maximum feed ("최대 피드"), mm/min.
  --min-feed F          The lowest feed ("최저 피드"): the corner reduction is F / maximum feed,
                        the slope reduction that times SideCorRat (at most 1).
  --unit U              Lowered feeds become multiples of U (0: no rounding).
  --finish, --no-finish Corners are also measured as curves over short moves (default on).
  --updown, --no-updown Descending moves take their own share of the slope feed (default on).
  --smooth, --no-smooth Zones and ramps change the feed in steps (default off).
  --master FILE.mma     Slow down where the master model stands higher than the tool.

feed changes (exactly one; feeds in mm/min, lengths in mm):
  --by-arc              Arcs of radius R1 ... R2 get the feed between F1 and F2 that goes with
                        their radius; a straight move next to such an arc, no longer than the
                        distance S, is slowed to the arc's feed. With:
      --min-radius R1       (default 0.1, 0.1 ... 100000)
      --min-radius-feed F1  (default 200, 1 ... 100000)
      --max-radius R2       (default 20, 0.1 ... 100000)
      --max-radius-feed F2  (default 500, 1 ... 100000)
      --distance S          (default 1, 0.1 ... 100000)
      --set-all F           every move gets F first (1 ... 1000000)
  --by-length           Straight moves of length D1 ... D2 get the feed between F1 and F2 that
                        goes with their length, when the move before or after is such a move
                        too (a single short move keeps its feed). With:
      --min-length D1       (default 0.01, 0.01 ... 100000)
      --min-length-feed F1  (default 200, 1 ... 100000)
      --max-length D2       (default 0.5, 0.1 ... 100000)
      --max-length-feed F2  (default 500, 1 ... 100000)
      --set-all F           every move gets F first (1 ... 10000)
  --machine NAME        Slows the moves whose blocks a DNC link could not deliver before the
                        machine's block buffer runs dry. NAME (letter case aside) and its
                        buffer: Machine0 2 blocks, Fanuc0M 5, Fanuc15M 30, Machine1 10,
                        Machine2 20, ... Machine9 90. With:
      --baud N              2400, 4800, 9600 (default), 19200, 38400 or 56800
      --max-feed F          no cutting move faster (default 1000, 1 ... 100000)
      --min-feed F          no move slowed below it (default 300, 0 ... 100000)
      --rapid-feed F        the machine's rapid rate (default 8000, 3000 ... 100000)
      --unit U              feeds become multiples of U (default 50, 0 ... 1000; 0 rounds nothing)
      --weight W            CNC weight (default 50, 0 ... 100): the buffer counts as
                            b + (W - 50) * b / 50 blocks, at least 1
      --no-smooth           no smoothing of dips and steps, and one pass instead of two
      --no-set-all          start from the program's feeds instead of giving every move --max-feed
  --all F               Every move gets F (1 ... 1000000).
  --ff-cut              The odd paths (1st, 3rd, ...) at the first feed, followed by the even
                        paths at the second feed. With:
      --first-feed F        (default 1000, 1 ... 100000)
      --second-feed F       (default 2000, 1 ... 100000)
      --second-layer N      the even paths go to layer N (0 ... 99; 0 is the program's own);
                            another layer is written after layer 0 in one program

master build options:
  -o FILE.mma           The master model file to write (created or replaced).
  --tool D              Tool diameter in mm (default 10, 0.01 ... 1000).
  --allowance A         Stock allowance in mm (default 0, 0 ... 100).
  --tolerance T         Cell size of the model in mm (default 1, 0.001 ... 100).

render options:
  -o FILE.png           The image to write (created or replaced).
  --view V              The direction: top, front, side, iso1 (the default), iso2, iso3, iso4.
  --size WxH            The image's size in pixels (default 1600x1000, each side 1 ... 16384).
  --no-rapids           Leave rapid moves out.
  --invert              White background.
  --legend, --no-legend With (the default) or without the feed colour legend.
  --no-layer-text       Without the layer's file name and header data.

Other options:
  -h, --help            This text.
  --                    The arguments after it are files.

Exit status: 0 when everything was done; 1 when a file could not be read (or was read only in
part), could not be written, or the run stopped at a diagonal rapid move (the reason is written
to standard error; info still reports the other files), or a feed change or a master model
could not be made; 2 for a mistake in the arguments or a value out of its range.
)";

}  // namespace

int RunBatch(const std::vector<std::string>& words, const BatchStreams& streams) {
  const ParsedCommandLine parsed = ParseBatchArguments(words);
  if (!parsed.error.empty()) {
    streams.err << "fendo-batch: " << parsed.error << " (see fendo-batch --help)\n";
    return 2;
  }
  if (parsed.help || parsed.args.command == "help") {
    streams.out << kUsage;
    return 0;
  }
  const std::string& command = parsed.args.command;
  if (command == "info") return RunInfo(parsed.args, streams);
  if (command == "dump") return RunDump(parsed.args, streams);
  if (command == "convert") return RunConvert(parsed.args, streams);
  if (command == "filter") return RunFilter(parsed.args, streams);
  if (command == "optimize") return RunOptimize(parsed.args, streams);
  if (command == "feed") return RunFeed(parsed.args, streams);
  if (command == "master") return RunMaster(parsed.args, streams);
  if (command == "render") return RunRender(parsed.args, streams);
  streams.err << "fendo-batch: " << (command.empty() ? "no command" : "unknown command " + command)
              << " (see fendo-batch --help)\n";
  return 2;
}

}  // namespace fendo
