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
  int qelEnabled = 1;  // the optimizer runs only when this is 1
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
  int conCorChk = 1;  // finishing: corners are also measured as curves over short moves
  int upDownChk = 1;  // descending moves get their own factor (zupZdown)
  int qelMaxFeed = 1000;
  int plungeFeed = 1000;
  std::string ncDataDirectory;  // the slots get the folders under the default Fendo folder
  std::string material = "STEEL(S45C)";
  std::string ncFilter = "*.nc";
  std::string qelDirectory;
  int feedChgSmoothCheck = 0;  // zones and ramps in steps instead of one point
  int xyChgReduceCheck = 0;    // keep the XY corner look-ahead of the previous run
  int feedChgAng = 10;         // the feed unit: lowered feeds are multiples of it
  float corWeight0 = 1.0f;
  float corWeight30 = 0.7f;
  float corWeight60 = 0.3f;
  float sideWeight0 = 1.0f;
  float sideWeight30 = 0.7f;
  float sideWeight60 = 0.3f;
  float zupZdown = 1.0f;
  float sideCorRat = 2.0f;
  int qelByMaster = 0;
  std::string masterFile;

  // Values a machine slot is given that nothing reads.
  int unusedWhole = 200;
  std::array<double, 6> unusedReals = {200.0, -200.0, 9999.0, 9999.0, 9999.0, 1.5};
  std::array<int, 7> unusedBlock = {5, 500, 1, 5, 5, 1, 250};
};

}  // namespace fendo
