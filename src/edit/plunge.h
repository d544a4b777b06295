#pragma once

#include <optional>
#include <span>

#include "core/option_range.h"
#include "edit/edit_outcome.h"
#include "edit/record_list.h"

namespace fendo {

class ToolpathDatabase;

// How the tool enters the material at the start of a path: the plunge. A vertical plunge is a
// move straight down (no X or Y travel at all); the plunge bottom is where the path's first
// cutting move starts.

// Turns every plunge into a rapid move to the plunge bottom, so that a later step can give it
// a proper entry: a run of vertical plunges into a FeedStart becomes one Rapid to its lowest
// record (the records inside deleted) and the cut after it starts there; a run of vertical
// rapid descents becomes one Rapid to its lowest point; a path entered from a record at exactly
// safeZ by a slanted feed move keeps that move, and the record at safeZ becomes a Rapid. With
// `selectedOnly`, only selected records are looked at. Deleted records leave the list.
void NormalizePlunges(RecordList& records, double safeZ, bool selectedOnly = false);
// The same on the work buffer, compacting it; no snapshot.
void NormalizePlunges(ToolpathDatabase& db, bool selectedOnly = false);

// "<< 플런지 방식 >>"
enum class PlungeMethod {
  Angle,   // "각도": a straight entry, by the angle plunge scope
  Circle,  // "원형": a helix around the plunge bottom
  Groove,  // "직선 홈": a zigzag down along the following cut
};

// "<< 각도 플런지 >>"
enum class AnglePlungeScope {
  All,     // "전체": the whole plunge at feed
  None,    // "없음": the plunge at rapid to the bottom (NormalizePlunges only)
  Length,  // "길이": at rapid to L before the bottom, then a ramp of length L
};

// The rapid height that means "leave the rapid moves where they are".
inline constexpr double kKeepRapidHeight = -999;

// CPlungeDlg, "플런지 조건을 입력하시요!!": the dialog's fields with their defaults and ranges
// (CheckPlungeParams). One lives with the view for the life of the program; the dialog sets
// rapidHeight to safeZ each time it opens.
struct PlungeParams {
  PlungeMethod method = PlungeMethod::Angle;
  AnglePlungeScope scope = AnglePlungeScope::Length;
  double length = 30;              // mm, "길이" L: 0 … 10000
  double zAngle = 90;              // degrees, "Z각도": the ramp against the XY plane, 1 … 90
  double xyAngle = 180;            // degrees, "XY 각도": the ramp against the following cut, −360 … 360
  bool newRapidHeight = false;     // "급속이송 높이"
  double rapidHeight = 100;        // mm, its value (safeZ when the dialog opens), −10000 … 10000
  bool passMachined = false;       // "가공된 지점 통과하기"
  double machinedClearance = 2;    // mm, its value: rapid down to this above a machined bottom, 0 … 10000
  double circleRadius = 10;        // mm, "반 경" R: 0.2 … 10000 (at least one point a turn)
  double circleLength = 30;        // mm, "길 이": the helix is approached from this above the bottom, 0 … 10000
  double circlePitch = 2;          // degrees, "피치 각도" a: descent per turn R·sin 3a, 0 < a < 60
  double circleDepth = 10;         // mm, "원형길이" H: the height the helix descends, 0 … 10000
  double groovePlungeLength = 30;  // mm, "플런지 길이" P: 0 … 10000
  double grooveLength = 10;        // mm, "홈 길이" G: 0.001 … 10000
  double grooveDepth = 5;          // mm, "홈 깊이" D: 0 … 10000
  double groovePitch = 2;          // degrees, "피치 각도" a: descent per pass G·sin a, 0 < a < 180
  bool usePlungeFeed = false;      // "플런지 피드"
  int plungeFeed = 300;            // mm/min, its value: 1 … 1000000
  bool selectedOnly = false;       // "선택된 영역만"

  // What the dialog shows when it opens: the rapid height the program has now.
  void PresetForDialog(double safeZ) { rapidHeight = safeZ; }
};

// The first field, in the dialog's order, that the change cannot work with: a value out of its
// range, or a pitch angle whose descent per turn or pass is not positive (the message says so).
// Only the fields of the chosen method are looked at, with the rapid height and plunge feed
// when they are on.
std::optional<OptionOutOfRange> CheckPlungeParams(const PlungeParams& params);
// The ranges of every numeric field, for a help that quotes them.
std::span<const FieldRange<PlungeParams>> PlungeRanges();

// The plunge change ("플런지(접근) 변경"). Entries are built at every plunge bottom (only at
// selected ones with selectedOnly):
// - "각도": NormalizePlunges, then by scope: "전체" feeds the whole descent; "길이" comes down
//   at rapid to L above the bottom and feeds the last L, straight down at Z angle 90, else
//   along a ramp of length L at the Z angle, turned by the XY angle from the following cut.
// - "원형" and "직선 홈": the helix or the zigzag entry, ending exactly at the bottom; then
//   the rapid moves are rebuilt.
// With "가공된 지점 통과하기" on, a bottom that an earlier cut already reached (at the same XY
// point, at or below its height) needs no entry: the tool comes down at rapid to the given
// clearance above it and feeds the rest straight down, whatever the method. With "급속이송
// 높이" on (and not −999), safeZ becomes that height and the rapid moves between paths are
// lifted to it. With "플런지 피드" on, entries and vertical plunges get the plunge feed, else
// created moves get workFeed. One undo snapshot; Refused for a value CheckPlungeParams
// refuses, NoRoom when the result would pass the record limit.
EditOutcome ChangePlunges(ToolpathDatabase& db, const PlungeParams& params);

}  // namespace fendo
