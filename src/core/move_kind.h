#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace fendo {

// What a toolpath record is. The numbers are stored in files of other programs' making as well
// as in ours (the centre kinds are the character codes of "[", "\" and "]"), so they never change.
enum class MoveKind : std::int16_t {
  None = 0,         // no motion: an emptied (deleted) or invalid record, skipped by every walk
  RapidStart = 1,   // G00 programmed on the block
  Rapid = 2,        // G00 in force modally
  FeedStart = 3,    // G01 after a rapid move: the first cutting move of a path
  Feed = 4,         // G01 after a feed move
  ArcCcw = 6,       // end point of a G03 arc
  ArcCw = 8,        // end point of a G02 arc
  CentreXY = 91,    // record after an arc in G17: I, J, K from the arc's start to its centre
  CentreZX = 92,    // the same for G18
  CentreYZ = 93,    // the same for G19
};

inline constexpr std::array kAllMoveKinds = {
    MoveKind::None,   MoveKind::RapidStart, MoveKind::Rapid,    MoveKind::FeedStart, MoveKind::Feed,
    MoveKind::ArcCcw, MoveKind::ArcCw,      MoveKind::CentreXY, MoveKind::CentreZX,  MoveKind::CentreYZ};

constexpr std::string_view MoveKindName(MoveKind k) {
  switch (k) {
    case MoveKind::None: return "None";
    case MoveKind::RapidStart: return "RapidStart";
    case MoveKind::Rapid: return "Rapid";
    case MoveKind::FeedStart: return "FeedStart";
    case MoveKind::Feed: return "Feed";
    case MoveKind::ArcCcw: return "ArcCcw";
    case MoveKind::ArcCw: return "ArcCw";
    case MoveKind::CentreXY: return "CentreXY";
    case MoveKind::CentreZX: return "CentreZX";
    case MoveKind::CentreYZ: return "CentreYZ";
  }
  return "Unknown";
}

// The plane of an arc, numbered like the centre record that follows the arc.
enum class ArcPlane : std::int16_t {
  XY = 91,  // G17
  ZX = 92,  // G18
  YZ = 93,  // G19
};

constexpr bool IsRapidKind(MoveKind k) { return k == MoveKind::RapidStart || k == MoveKind::Rapid; }
constexpr bool IsLinearFeedKind(MoveKind k) { return k == MoveKind::FeedStart || k == MoveKind::Feed; }
constexpr bool IsArcKind(MoveKind k) { return k == MoveKind::ArcCcw || k == MoveKind::ArcCw; }
constexpr bool IsCuttingKind(MoveKind k) { return IsLinearFeedKind(k) || IsArcKind(k); }
constexpr bool IsMotionKind(MoveKind k) { return IsRapidKind(k) || IsCuttingKind(k); }
constexpr bool IsCentreKind(MoveKind k) {
  return k == MoveKind::CentreXY || k == MoveKind::CentreZX || k == MoveKind::CentreYZ;
}

constexpr MoveKind CentreKindOf(ArcPlane plane) { return static_cast<MoveKind>(plane); }

// The plane a centre record stands for; any kind other than the ZX and YZ centres means XY.
constexpr ArcPlane PlaneOfCentreKind(MoveKind k) {
  if (k == MoveKind::CentreZX) return ArcPlane::ZX;
  if (k == MoveKind::CentreYZ) return ArcPlane::YZ;
  return ArcPlane::XY;
}

// A motion repeated on a block without its G code continues the run it belongs to.
constexpr MoveKind ContinuationOf(MoveKind k) {
  if (k == MoveKind::FeedStart) return MoveKind::Feed;
  if (k == MoveKind::RapidStart) return MoveKind::Rapid;
  return k;
}

}  // namespace fendo
