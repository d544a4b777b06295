#include "app/dialogs/feed_change_dialogs.h"

#include <array>

#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

constexpr std::array<NumberRow<ArcRadiusFeedOptions>, 6> kArcRadiusFeedRows = {{
    {"최소 반경", &ArcRadiusFeedOptions::minRadius, "minRadius"},
    {"Feed", &ArcRadiusFeedOptions::minRadiusFeed, "minRadiusFeed"},
    {"최대 반경", &ArcRadiusFeedOptions::maxRadius, "maxRadius"},
    {"Feed", &ArcRadiusFeedOptions::maxRadiusFeed, "maxRadiusFeed"},
    {"안전거리", &ArcRadiusFeedOptions::distance, "distance"},
    {"Feed 변경후 감속", &ArcRadiusFeedOptions::setAllFeed, "setAllFeed", &ArcRadiusFeedOptions::setAllFirst,
     "setAllFirst"},
}};
constexpr NumberForm<ArcRadiusFeedOptions> kArcRadiusFeed = {"G02, G03의 feed를 변경합니다.", kArcRadiusFeedRows,
                                                             &CheckRanges};

constexpr std::array<NumberRow<MoveLengthFeedOptions>, 5> kMoveLengthFeedRows = {{
    {"최소 거리", &MoveLengthFeedOptions::minLength, "minLength"},
    {"Feed", &MoveLengthFeedOptions::minLengthFeed, "minLengthFeed"},
    {"최대 거리", &MoveLengthFeedOptions::maxLength, "maxLength"},
    {"Feed", &MoveLengthFeedOptions::maxLengthFeed, "maxLengthFeed"},
    {"Feed 변경후 감속", &MoveLengthFeedOptions::setAllFeed, "setAllFeed", &MoveLengthFeedOptions::setAllFirst,
     "setAllFirst"},
}};
constexpr NumberForm<MoveLengthFeedOptions> kMoveLengthFeed = {"이송량에 의한 feed 변경", kMoveLengthFeedRows,
                                                               &CheckRanges};

constexpr std::array<NumberRow<FfCutOptions>, 3> kFfCutRows = {{
    {"1차 공구경로 feed", &FfCutOptions::firstFeed, "firstFeed"},
    {"2차 공구경로 feed", &FfCutOptions::secondFeed, "secondFeed"},
    {"2차 공구경로 layer", &FfCutOptions::secondLayer, "secondLayer", &FfCutOptions::secondToLayer, "secondToLayer"},
}};
constexpr NumberForm<FfCutOptions> kFfCut = {"FF CUT", kFfCutRows, &CheckRanges};

// The command labels the feed; the range check names it "feed".
constexpr std::array<NumberRow<OneValue>, 1> kFeedValueRows = {{
    {&OneValue::label, &OneValue::value, "feed"},
}};
constexpr NumberForm<OneValue> kFeedValue = {"변수를 입력하시요!!", kFeedValueRows,
                                             [](const OneValue& v) { return CheckFeedValue(v.label, v.value); }};

}  // namespace

ArcRadiusFeedDialog::ArcRadiusFeedDialog(const ArcRadiusFeedOptions& options, QWidget* parent)
    : NumberFormDialog(kArcRadiusFeed, options, parent) {}
MoveLengthFeedDialog::MoveLengthFeedDialog(const MoveLengthFeedOptions& options, QWidget* parent)
    : NumberFormDialog(kMoveLengthFeed, options, parent) {}
FfCutDialog::FfCutDialog(const FfCutOptions& options, QWidget* parent) : NumberFormDialog(kFfCut, options, parent) {}
FeedValueDialog::FeedValueDialog(const OneValue& values, QWidget* parent)
    : NumberFormDialog(kFeedValue, values, parent) {}

}  // namespace fendo
