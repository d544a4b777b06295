// The simulation walks the records with one position of the tool on the screen (the last one
// drawn). Running, it draws only where the tool has moved a visible distance, so that a
// program of millions of short moves plays at the speed of its shape rather than of its record
// count, and it looks at the keys only after drawing. In single steps it shows every motion
// record and waits between polls like the other loops, so that a held SPACE steps every 50 ms.
#include "interact/tool_simulation.h"

#include <cmath>
#include <optional>

#include "core/toolpath_database.h"
#include "interact/input_source.h"
#include "interact/loop_prompts.h"
#include "interact/path_loop.h"
#include "view/show_prompt.h"
#include "view/view_input.h"
#include "view/view_surface.h"

namespace fendo {
namespace {

constexpr double kVisibleMovePixels = 2;  // the tool is drawn again when it moved further
// Running, the tool takes at most a hundred visible steps a second: fast enough for a long
// program, slow enough that the eye follows a short one (drawing alone would finish it before
// the user saw it move).
constexpr int kRunningStepMs = 10;

enum class Pace { Running, SingleStep };

// What the keys say after the tool was drawn.
enum class Next { Continue, Stop };

}  // namespace

bool RunToolSimulation(ViewInput& view, InputSource& input) {
  ToolpathDatabase& db = view.database();
  ViewSurface& surface = view.surface();
  const ViewInput::LoopScope scope(view);
  ShowPrompt(surface, kWalkContinuousPrompt);
  const Projection projection(view.view());
  Pace pace = Pace::Running;

  // Running: the keys are looked at after a short step, and a SPACE halts the tool where it
  // stands. Halted: waits for SPACE (on to the next record) or ENTER (running again).
  const auto keysAfterShowing = [&input, &pace]() {
    if (pace == Pace::Running) {
      input.Sleep(kRunningStepMs);
      const Key key = PollInputKey(input);
      if (key == Key::Esc) return Next::Stop;
      if (key != Key::Space) return Next::Continue;
      pace = Pace::SingleStep;
    }
    for (;;) {
      input.Sleep(kPollMilliseconds);
      switch (PollInputKey(input)) {
        case Key::Esc: return Next::Stop;
        case Key::Space: return Next::Continue;
        case Key::Enter: pace = Pace::Running; return Next::Continue;
        default: break;
      }
    }
  };

  bool reachedEnd = true;
  std::optional<Projection::Projected> shownAt;  // device point of the tool drawn last
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (!IsMotionKind(r->kind)) continue;
    const Projection::Projected here = projection.ToDevice(PositionOf(*r));
    const bool moved = !shownAt || std::hypot(here.x - shownAt->x, here.y - shownAt->y) > kVisibleMovePixels;
    if (pace == Pace::Running && !moved) continue;
    surface.ShowTool(i);
    shownAt = here;
    if (keysAfterShowing() == Next::Stop) {
      reachedEnd = false;
      break;
    }
  }
  surface.Redraw();
  return reachedEnd;
}

}  // namespace fendo
