#pragma once

#include "app/dialogs/number_form_dialog.h"
#include "edit/entered_values.h"
#include "feed/arc_radius_feed.h"
#include "feed/ff_cut.h"
#include "feed/move_length_feed.h"

namespace fendo {

// The dialogs of the feed change commands. Each opens on the values its command keeps, and
// gives back through values() what its fields held when OK closed it (every value in the range
// the engine holds it to), or the values it was opened with. Each is a table in
// feed_change_dialogs.cpp.

// "G02, G03의 feed를 변경합니다.": feeds by arc radius.
class ArcRadiusFeedDialog : public NumberFormDialog<ArcRadiusFeedOptions> {
 public:
  explicit ArcRadiusFeedDialog(const ArcRadiusFeedOptions& options, QWidget* parent = nullptr);
};

// "이송량에 의한 feed 변경": feeds by move length.
class MoveLengthFeedDialog : public NumberFormDialog<MoveLengthFeedOptions> {
 public:
  explicit MoveLengthFeedDialog(const MoveLengthFeedOptions& options, QWidget* parent = nullptr);
};

// "FF CUT": the feeds of the odd and the even paths, and where the even paths go.
class FfCutDialog : public NumberFormDialog<FfCutOptions> {
 public:
  explicit FfCutDialog(const FfCutOptions& options, QWidget* parent = nullptr);
};

// "변수를 입력하시요!!" with one feed (mm/min): the whole-path and the window feed commands. A
// feed below kLowestFeedValue or above kHighestFeedValue is refused.
class FeedValueDialog : public NumberFormDialog<OneValue> {
 public:
  explicit FeedValueDialog(const OneValue& values, QWidget* parent = nullptr);
};

}  // namespace fendo
