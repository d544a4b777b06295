#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/option_range.h"

namespace fendo {

// A machine of the "공작기계" list: its name and how many blocks its buffer holds.
struct MachineBuffer {
  std::string_view name;
  int blocks;
};

// The machines in the order of the list; the dialog starts on "Fanuc0M".
inline constexpr std::array<MachineBuffer, 12> kMachines = {{
    {"Machine0", 2},  {"Fanuc0M", 5},  {"Fanuc15M", 30}, {"Machine1", 10}, {"Machine2", 20}, {"Machine3", 30},
    {"Machine4", 40}, {"Machine5", 50}, {"Machine6", 60}, {"Machine7", 70}, {"Machine8", 80}, {"Machine9", 90},
}};

// The transmission speeds of the "전송속도" list, baud; 9600 when nothing is selected.
inline constexpr std::array kBaudRates = {2400, 4800, 9600, 19200, 38400, 56800};

// The fields of the dialog "기계와 DNC 조건을 입력하시요." with their defaults. The dialog keeps
// one of these for the whole run of the program; fendo-batch fills one from its flags.
struct MachineFeedOptions {
  int machine = 1;            // 공작기계: index into kMachines, "Fanuc0M"
  int baudRate = 9600;        // 전송속도, baud: one of kBaudRates
  int maxFeed = 1000;         // mm/min, 최대 feed F_max: no cutting move runs faster, 1 … 100000
  int minFeed = 300;          // mm/min, 최저 feed F_min: no move is slowed below it, 0 … 100000
  int rapidFeed = 8000;       // mm/min, Rapid feed F_rapid: the machine's rapid rate, 3000 … 100000
  int feedUnit = 50;          // mm/min, Feed 단위 u: feeds are multiples of it, 0 … 1000; 0 rounds nothing
  bool smooth = true;         // 부르러운 feed: smooth dips and steps, and run the pass twice
  bool setAllFirst = true;    // 최대 feed로 변경후 감소: every move gets F_max first
  int cncWeight = 50;         // CNC 가중치 slider w, 0 … 100: below 50 the buffer counts smaller
};

// The range check the dialog runs before it closes and fendo-batch before it acts: nothing
// when every value lies in its range (ends included). The machine and the baud rate are
// checked against their lists.
std::optional<OptionOutOfRange> CheckRanges(const MachineFeedOptions& options);

// The ranges CheckRanges holds the numbers to, in the dialog's order: the dialog refuses a value
// on its own field with them.
std::span<const FieldRange<MachineFeedOptions>> MachineFeedRanges();

// The machine of that name in kMachines (letter case aside), or nothing.
std::optional<int> FindMachine(std::string_view name);

// The text beside the weight slider: "<< CNC 가중치(w − 50) >>".
std::string CncWeightLabel(int cncWeight);

// How many blocks the machine's buffer is taken to hold: B = b + (w − 50)·b/50 in whole
// numbers, with b from the machine list; at least 1, because a weight of 0 leaves no buffer
// at all and the buffer walk needs room for the block being sent.
int BufferSize(const MachineFeedOptions& options);

}  // namespace fendo
