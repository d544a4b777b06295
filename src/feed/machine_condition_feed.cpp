// Feeds by machine and transmission conditions.
//
// A machine that receives its program over a serial link while it cuts (DNC) holds a few
// blocks in a buffer. Short blocks at a high feed are executed faster than the link delivers
// them; the buffer runs dry and the machine stops and starts at every block, leaving marks on
// the part. This pass lowers the feed of such moves until each block takes at least as long
// to execute as the next one takes to arrive.
//
// Units: times in seconds, feeds in mm/min, lengths in mm. A block of c characters takes
// T = c·10/baud to send (a start bit, eight data bits and a stop bit a character); a move of
// length L at feed F takes E = L/(F/60) to run, rapid moves at F_rapid.
//
// The pass, run once, and again when smoothing is on:
//   1. No cutting move runs above F_max.
//   2. The buffer walk follows the blocks in order with the machine's buffer (BlockBuffer):
//      the execution times of the blocks waiting in it and the slack, time in hand before
//      the machine would wait. A cutting block that would leave less than its own
//      transmission time in hand is slowed until it does; it is never slowed below F_min nor
//      made faster than it was.
//   3. Feeds are rounded down to the feed unit u (u when that gives 0); u = 0 rounds nothing.
//   4. Smoothing: a feed more than 10 % below both its neighbours (a dip) and a pair of moves
//      whose next is not more than 30 % faster (a step) take the time-weighted mean of the
//      pair, rounded to the nearest multiple of u.
// Records without a time (a move too short to be sent, a cutting move of feed 0) take no part
// in the walk or the smoothing, so that nothing divides by a zero feed or length.
#include "feed/machine_condition_feed.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "core/toolpath_database.h"
#include "feed/motion_walk.h"
#include "feed/set_all_feeds.h"

namespace fendo {
namespace {

constexpr double kShortestBlockMove = 0.0001;  // mm; a shorter move is not sent at all
constexpr double kBitsPerCharacter = 10;       // start bit, 8 data bits, stop bit
constexpr double kSecondsPerMinute = 60;
constexpr double kDipRatio = 1.1;   // a feed this much below both neighbours is a dip
constexpr double kStepRatio = 1.3;  // a next feed up to this much faster is a step
// Characters of a block besides its coordinate and feed words, as the estimate counts them.
constexpr int kFewAxesCharacters = 7;   // a block that moves fewer than two axes
constexpr int kGWordCharacters = 3;     // G00, G01, G02 or G03 programmed on the block
constexpr int kCentreCharacters = 14;   // the centre words of an arc
constexpr int kBlockEndCharacters = 2;  // the end of any block longer than 3

// Characters of one coordinate word (address letter, digits, point, three decimals) by its size.
int CoordinateWordLength(double v) {
  const double size = std::fabs(v);
  const int digits = size >= 1000 ? 9 : size >= 100 ? 8 : size >= 10 ? 7 : 6;
  return digits + (v < 0 ? 1 : 0);
}

int FeedWordLength(int feed) {
  return feed > 10000 ? 6 : feed > 1000 ? 5 : feed > 100 ? 4 : feed > 10 ? 3 : 2;
}

// u·⌊f/u⌋, or u when that is not above 0; u = 0 leaves f as it is.
int RoundDownToUnit(int f, int u) {
  if (u == 0) return f;
  const int rounded = f / u * u;
  return rounded > 0 ? rounded : u;
}

// The multiple of u nearest to f (the nearest whole feed for u = 0), at least u (or 1).
int RoundToNearestUnit(double f, int u) {
  const double step = std::max(u, 1);
  const int rounded = static_cast<int>(step * std::floor((step / 2 + f) / step));
  return rounded > 0 ? rounded : static_cast<int>(step);
}

// The machine's block buffer as the walk models it.
class BlockBuffer {
 public:
  double Total() const { return slack_ + queued_; }  // S + Q
  int Count() const { return static_cast<int>(times_.size()); }

  void Append(double time) {
    times_.push_back(time);
    queued_ += time;
  }
  // Empties the buffer and leaves `slack` in hand.
  void Restart(double slack) {
    times_.clear();
    queued_ = 0;
    slack_ = slack;
  }
  // Sending a block costs `time` of the slack; when the slack runs out the oldest blocks are
  // executed to make it up.
  void Spend(double time) {
    slack_ -= time;
    while (slack_ < 0) {
      if (times_.empty()) {
        slack_ = 0;
        return;
      }
      slack_ += Leave();
    }
  }
  // The oldest blocks leave until fewer than `size` remain; the slack is the time of the last
  // one to leave.
  void Trim(int size) {
    while (!times_.empty() && Count() >= size) slack_ = Leave();
  }

 private:
  double Leave() {
    const double time = times_.front();
    times_.pop_front();
    queued_ = times_.empty() ? 0 : queued_ - time;
    return time;
  }

  std::deque<double> times_;  // s, execution times of the blocks waiting, oldest first
  double queued_ = 0;         // s, their sum
  double slack_ = 0;          // s
};

struct PassSettings {
  int bufferSize;  // blocks
  double baud;
  int maxFeed;     // mm/min
  int minFeed;     // mm/min
  int rapidFeed;   // mm/min
  int unit;        // mm/min
  bool smooth;
};

void CapFeeds(ToolpathDatabase& db, int maxFeed) {
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (IsCuttingKind(r.kind) && r.feed > maxFeed) WriteFeed(db, i, maxFeed);
  });
}

void WalkBuffer(ToolpathDatabase& db, const PassSettings& pass) {
  BlockBuffer buffer;
  ForEachMove(db, [&](const Move& move) {
    if (move.previous < 0) return;
    const ToolpathRecord record = *db.RecordAt(move.index);
    const int characters = BlockLength(*db.RecordAt(move.previous), record, move.length);
    if (characters <= 0) return;
    const double send = TransmissionTime(characters, pass.baud);  // T
    if (IsRapidKind(move.kind)) {
      const double run = RunTime(move.length, pass.rapidFeed);
      if (buffer.Total() != 0 && buffer.Total() >= send) {
        buffer.Append(run);
        if (buffer.Count() < pass.bufferSize) {
          buffer.Spend(send);
        } else {
          buffer.Trim(pass.bufferSize);
        }
      } else {
        buffer.Restart(run);
      }
      return;
    }
    if (record.feed <= 0) return;
    double run = RunTime(move.length, record.feed);  // E
    // Slows the move so that it runs `target` seconds (a little less after rounding).
    const auto slowTo = [&](double target) {
      const int old = FeedOf(db, move.index);
      int feed = static_cast<int>(std::floor(run * old / target));
      feed = std::max(1, std::min(old, std::max(feed, pass.minFeed)));
      feed = RoundDownToUnit(feed, pass.unit);
      run = run * old / feed;
      WriteFeed(db, move.index, feed);
    };
    const double total = buffer.Total();
    if (total > 0 && total >= send) {
      const double left = total + run - send;  // W
      if (left < send) slowTo(run + (send - left));
      buffer.Append(run);
      buffer.Trim(pass.bufferSize);
      buffer.Spend(send);
    } else if (total > 0) {
      if (run < send) slowTo(send);
      buffer.Restart(run);
    } else {
      const double unslowed = run;
      if (run < send) slowTo(send);
      buffer.Restart(unslowed);
    }
  });
}

void RoundFeeds(ToolpathDatabase& db, int unit) {
  if (unit == 0) return;
  db.ForEachRecord([&](int i, const ToolpathRecord& r) {
    if (!IsCuttingKind(r.kind)) return;
    if (const int rounded = RoundDownToUnit(r.feed, unit); rounded != r.feed) WriteFeed(db, i, rounded);
  });
}

// The length smoothing weighs a move by: rapid moves do not count.
double SmoothingLength(const Move& move) { return IsRapidKind(move.kind) ? 0 : move.length; }

// Gives a and b the feed that keeps their time together: (La + Lb)/(La/fa + Lb/fb).
void ShareFeed(ToolpathDatabase& db, const Move& a, const Move& b, int unit) {
  const double la = SmoothingLength(a);
  const double lb = SmoothingLength(b);
  const double mean = (la + lb) / (la / FeedOf(db, a.index) + lb / FeedOf(db, b.index));
  const int feed = RoundToNearestUnit(mean, unit);
  WriteFeed(db, a.index, feed);
  WriteFeed(db, b.index, feed);
}

bool Timed(ToolpathDatabase& db, const Move* move) {
  return move && SmoothingLength(*move) > 0 && FeedOf(db, move->index) > 0;
}

void SmoothDips(ToolpathDatabase& db, int unit) {
  ForEachMoveInContext(db, [&](const Move* before, const Move& move, const Move* after) {
    if (!Timed(db, before) || !Timed(db, &move) || !Timed(db, after)) return;
    const double dip = kDipRatio * FeedOf(db, move.index);
    if (dip < FeedOf(db, before->index) && dip < FeedOf(db, after->index)) ShareFeed(db, *before, move, unit);
  });
}

void SmoothSteps(ToolpathDatabase& db, int unit) {
  ForEachMoveInContext(db, [&](const Move*, const Move& move, const Move* after) {
    if (!Timed(db, &move) || !Timed(db, after)) return;
    if (kStepRatio * FeedOf(db, move.index) > FeedOf(db, after->index)) ShareFeed(db, move, *after, unit);
  });
}

void RunPass(ToolpathDatabase& db, const PassSettings& pass) {
  CapFeeds(db, pass.maxFeed);
  WalkBuffer(db, pass);
  RoundFeeds(db, pass.unit);
  if (!pass.smooth) return;
  SmoothDips(db, pass.unit);
  SmoothSteps(db, pass.unit);
}

}  // namespace

double TransmissionTime(int characters, double baud) { return characters * kBitsPerCharacter / baud; }

double RunTime(double length, int feed) { return length / (feed / kSecondsPerMinute); }

int BlockLength(const ToolpathRecord& previous, const ToolpathRecord& record, double moveLength) {
  if (moveLength < kShortestBlockMove) return 0;
  int characters = 0;
  int axesChanged = 0;
  for (float ToolpathRecord::*axis : {&ToolpathRecord::x, &ToolpathRecord::y, &ToolpathRecord::z}) {
    if (record.*axis == previous.*axis) continue;
    ++axesChanged;
    characters += CoordinateWordLength(record.*axis);
  }
  if (axesChanged < 2) characters += kFewAxesCharacters;
  const MoveKind kind = record.kind;
  if (kind == MoveKind::RapidStart || kind == MoveKind::FeedStart || IsArcKind(kind)) characters += kGWordCharacters;
  if (IsCuttingKind(kind) && record.feed != previous.feed) characters += FeedWordLength(record.feed);
  if (IsArcKind(kind)) characters += kCentreCharacters;
  if (characters > 3) characters += kBlockEndCharacters;
  return characters;
}

bool ChangeFeedsByMachineCondition(ToolpathDatabase& db, const MachineFeedOptions& options) {
  if (CheckRanges(options)) return false;
  if (options.setAllFirst) SetAllFeeds(db, options.maxFeed);
  const PassSettings pass{.bufferSize = BufferSize(options),
                          .baud = static_cast<double>(options.baudRate),
                          .maxFeed = options.maxFeed,
                          .minFeed = options.minFeed,
                          .rapidFeed = options.rapidFeed,
                          .unit = options.feedUnit,
                          .smooth = options.smooth};
  RunPass(db, pass);
  if (options.smooth) RunPass(db, pass);
  return true;
}

}  // namespace fendo
