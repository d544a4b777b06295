#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fendo {

// A pen of the machine link's drawing: colour and whether it is dashed (all 1 pixel wide).
struct LinkPen {
  std::array<std::uint8_t, 3> rgb{};
  bool dashed = false;
};

// The settings of one machine: the transmission settings of the machine link that the program
// once drove (kept and copied with the record, read by nothing), and the feed optimizer's
// parameters. Every field starts at the default a machine slot gets; ratios, weights and
// angles are 32-bit floats, feeds whole mm/min, angles degrees.
struct MachineCondition {
  static constexpr int kLinkListEntries = 300;

  // Transmission settings of the machine link, in their order.
  std::array<int, 8> linkSettings = {4800, 1, 2, 7, 300, 20, 5000, 0};
  int qelEnabled = 1;  // the optimizer runs only when this is 1 (OptimizerEnabled)
  std::string portName;
  std::vector<std::string> sendList = std::vector<std::string>(kLinkListEntries);
  std::vector<std::string> receiveList = std::vector<std::string>(kLinkListEntries);
  std::array<LinkPen, 5> linkPens = {{{{255, 255, 255}, false},
                                      {{0, 255, 0}, false},
                                      {{255, 0, 0}, true},
                                      {{200, 0, 0}, true},
                                      {{200, 200, 0}, false}}};

  // The feed optimizer's parameters (the *.qel settings).
  float toolDiameter = 10.0f;
  float safetyDistance = 5.0f;
  float cornerMinAngle = 10.0f;
  float cornerMaxReduction = 0.1f;
  float slopeMinAngle = 10.0f;
  float slopeMaxReduction = 0.1f;
  int conCorChk = 1;  // 1: finishing (Finishing)
  int upDownChk = 1;  // 1: descending moves get their own factor (SeparatesDescents)
  int qelMaxFeed = 1000;
  int plungeFeed = 1000;
  std::string ncDataDirectory;  // the slots get the folders under the default Fendo folder
  std::string material = "STEEL(S45C)";
  std::string ncFilter = "*.nc";
  std::string qelDirectory;
  int feedChgSmoothCheck = 0;  // 1: zones and ramps in steps (SmoothFeedChanges)
  int xyChgReduceCheck = 0;    // 1: a shortened XY corner look-ahead (ReducesXyLookAhead)
  int feedUnit = 10;           // "FeedChgAng" in *.qel files: lowered feeds are multiples of it (mm/min)
  float corWeight0 = 1.0f;
  float corWeight30 = 0.7f;
  float corWeight60 = 0.3f;
  float sideWeight0 = 1.0f;
  float sideWeight30 = 0.7f;
  float sideWeight60 = 0.3f;
  float zupZdown = 1.0f;
  float sideCorRat = 2.0f;
  int qelByMaster = 0;  // 1: the master model slows the moves near its walls (ByMasterModel)
  std::string masterFile;

  // Values a machine slot is given that nothing reads.
  int unusedWhole = 200;
  std::array<double, 6> unusedReals = {200.0, -200.0, 9999.0, 9999.0, 9999.0, 1.5};
  std::array<int, 7> unusedBlock = {5, 500, 1, 5, 5, 1, 250};

  // The switches. Each is stored as a whole number, as the *.qel files and the dialogs hold
  // it, and is on only at 1.
  bool OptimizerEnabled() const { return qelEnabled == 1; }
  // Finishing: corners are also measured as curves over short moves, a change of slope slows
  // the cutter where the path turns down too, and arcs are measured on the path of the tool's
  // edge.
  bool Finishing() const { return conCorChk == 1; }
  // Descending moves take their own share (zupZdown) of the slope feed, and slope feeds stay
  // between the reduced and the maximum feed.
  bool SeparatesDescents() const { return upDownChk == 1; }
  // Zones and ramps step their feed over a run of points instead of one point.
  bool SmoothFeedChanges() const { return feedChgSmoothCheck == 1; }
  // The XY corners look ahead over a share of the safety distance only.
  bool ReducesXyLookAhead() const { return xyChgReduceCheck == 1; }
  bool ByMasterModel() const { return qelByMaster == 1; }
};

}  // namespace fendo
