#include "app/commands/feed_change_commands.h"

#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/dialogs/feed_change_dialogs.h"
#include "app/dialogs/machine_feed_dialog.h"
#include "app/dialogs/message_box_prompts.h"
#include "app/fendo_app.h"
#include "app/fendo_view.h"
#include "interact/no_room.h"
#include "interact/region_input.h"
#include "feed/machine_condition_feed.h"
#include "feed/set_all_feeds.h"
#include "feed/window_feed_limits.h"

namespace fendo {
namespace {

// The one value the four window and polygon commands share; it keeps the last one entered.
struct FeedLimitValue {
  OneValue dialog{std::string(kFeedLimitLabel), kDefaultFeedLimit};
};

void TellNoRoom(CFendoView& view) {
  MessageBoxPrompts prompts(&view);
  TellNoRoom(prompts);
}

// Opens the command's dialog on the values it keeps; on OK runs `change` with them and
// redraws. The dialog has held the values to their ranges, so a change that fails is one
// whose result would not fit: the user is told, and the toolpath is as it was.
template <typename Dialog, typename Options, typename Change>
void ChangeFeeds(CFendoView& view, Change change) {
  Options& options = view.app().Remembered<Options>();
  if (!EditInDialog<Dialog>(options, &view)) return;
  if (!change(view.database(), options)) TellNoRoom(view);
  view.Redraw();
}

// The limit feed of the window commands, from their shared dialog; nothing after Cancel.
std::optional<int> AskFeedLimit(CFendoView& view) {
  OneValue& limit = view.app().Remembered<FeedLimitValue>().dialog;
  if (!EditInDialog<FeedValueDialog>(limit, &view)) return std::nullopt;
  return static_cast<int>(std::floor(limit.value));
}

// Limits the feeds inside `polygon` and redraws. False when the result would not fit (the
// user is told, nothing changed).
bool LimitFeedsInside(CFendoView& view, std::span<const ClientPoint> polygon, int feed, FeedLimit limit) {
  if (!FeedLimitInPolygon(view.database(), polygon, view.viewState(), feed, limit)) {
    TellNoRoom(view);
    return false;
  }
  view.Redraw();
  return true;
}

// One window after another until ESC, a window too small, or OK to the question a corner
// outside the view asks.
void LimitFeedsInWindows(CFendoView& view, FeedLimit limit) {
  const std::optional<int> feed = AskFeedLimit(view);
  if (!feed) return;
  const CFendoView::InteractiveCommand running(view);
  MessageBoxPrompts prompts(&view);
  for (;;) {
    const std::optional<ScreenWindow> window = RunWindowInput(view.input(), view.inputSource());
    if (!window) return;
    switch (CheckFeedWindow(window->first, window->second, prompts)) {
      case FeedWindowCheck::End: return;
      case FeedWindowCheck::PickAgain: continue;
      case FeedWindowCheck::Apply: break;
    }
    if (!LimitFeedsInside(view, WindowPolygon(window->first, window->second), *feed, limit)) return;
  }
}

void LimitFeedsInPolygon(CFendoView& view, FeedLimit limit) {
  const std::optional<int> feed = AskFeedLimit(view);
  if (!feed) return;
  const CFendoView::InteractiveCommand running(view);
  const std::optional<std::vector<ClientPoint>> polygon = RunPolygonInput(view.input(), view.inputSource());
  if (polygon) LimitFeedsInside(view, *polygon, *feed, limit);
}

}  // namespace

void ArcRadiusFeedCommand(CFendoView& view) {
  ChangeFeeds<ArcRadiusFeedDialog, ArcRadiusFeedOptions>(view, &ChangeFeedsByArcRadius);
}

void MoveLengthFeedCommand(CFendoView& view) {
  ChangeFeeds<MoveLengthFeedDialog, MoveLengthFeedOptions>(view, &ChangeFeedsByMoveLength);
}

void MachineFeedCommand(CFendoView& view) {
  ChangeFeeds<MachineFeedDialog, MachineFeedOptions>(view, &ChangeFeedsByMachineCondition);
}

void FfCutCommand(CFendoView& view) { ChangeFeeds<FfCutDialog, FfCutOptions>(view, &FfCut); }

void WindowMaxFeedCommand(CFendoView& view) { LimitFeedsInWindows(view, FeedLimit::Maximum); }
void WindowMinFeedCommand(CFendoView& view) { LimitFeedsInWindows(view, FeedLimit::Minimum); }
void PolygonMaxFeedCommand(CFendoView& view) { LimitFeedsInPolygon(view, FeedLimit::Maximum); }
void PolygonMinFeedCommand(CFendoView& view) { LimitFeedsInPolygon(view, FeedLimit::Minimum); }

// The dialog opens on the work feed each time; the view is redrawn after Cancel too.
void WholePathFeedCommand(CFendoView& view) {
  ToolpathDatabase& db = view.database();
  OneValue feed{std::string(kWholePathFeedLabel), static_cast<double>(db.workFeed)};
  if (EditInDialog<FeedValueDialog>(feed, &view)) ChangeWholePathFeed(db, feed.value);
  view.Redraw();
}

}  // namespace fendo
