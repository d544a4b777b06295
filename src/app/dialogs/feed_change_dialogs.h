#pragma once

#include "app/dialogs/options_dialog.h"
#include "app/dialogs/value_dialogs.h"
#include "feed/arc_radius_feed.h"
#include "feed/ff_cut.h"
#include "feed/move_length_feed.h"

class QCheckBox;

namespace fendo {

// The dialogs of the feed change commands. Each opens on the values its command keeps, and
// gives back through values() what its fields held when OK closed it (every value in its
// range), or the values it was opened with.

// "G02, G03의 feed를 변경합니다.": feeds by arc radius.
class ArcRadiusFeedDialog : public OptionsDialog {
 public:
  explicit ArcRadiusFeedDialog(const ArcRadiusFeedOptions& options, QWidget* parent = nullptr);
  const ArcRadiusFeedOptions& values() const { return options_; }

 private:
  bool TakeFields() override;

  ArcRadiusFeedOptions options_;
  NumberField* minRadius_;
  NumberField* minRadiusFeed_;
  NumberField* maxRadius_;
  NumberField* maxRadiusFeed_;
  NumberField* distance_;
  QCheckBox* setAllFirst_;
  NumberField* setAllFeed_;
};

// "이송량에 의한 feed 변경": feeds by move length.
class MoveLengthFeedDialog : public OptionsDialog {
 public:
  explicit MoveLengthFeedDialog(const MoveLengthFeedOptions& options, QWidget* parent = nullptr);
  const MoveLengthFeedOptions& values() const { return options_; }

 private:
  bool TakeFields() override;

  MoveLengthFeedOptions options_;
  NumberField* minLength_;
  NumberField* minLengthFeed_;
  NumberField* maxLength_;
  NumberField* maxLengthFeed_;
  QCheckBox* setAllFirst_;
  NumberField* setAllFeed_;
};

// "FF CUT": the feeds of the odd and the even paths, and where the even paths go.
class FfCutDialog : public OptionsDialog {
 public:
  explicit FfCutDialog(const FfCutOptions& options, QWidget* parent = nullptr);
  const FfCutOptions& values() const { return options_; }

 private:
  bool TakeFields() override;

  FfCutOptions options_;
  NumberField* firstFeed_;
  NumberField* secondFeed_;
  QCheckBox* secondToLayer_;
  NumberField* secondLayer_;
};

// "변수를 입력하시요!!" with one feed (mm/min): the whole-path and the window feed commands. A
// feed below kLowestFeedValue or above kHighestFeedValue is refused.
class FeedValueDialog : public ValueDialog {
 public:
  explicit FeedValueDialog(const OneValue& values, QWidget* parent = nullptr);
  const OneValue& values() const { return values_; }

 private:
  bool TakeFields() override;

  OneValue values_;
  NumberField* value_;
};

}  // namespace fendo
