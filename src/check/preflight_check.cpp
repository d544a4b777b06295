// A stand-in for the pre-flight check, so that the program's command can be built and tested
// on this branch: it finds cutting moves at feed 0 only, without their source lines. The
// engine's own implementation takes its place.
#include "check/preflight_check.h"

#include <string>

#include "core/toolpath_database.h"

namespace fendo {

std::vector<Finding> CheckProgram(ToolpathDatabase& db, const CheckInput&) {
  std::vector<Finding> findings;
  db.ForEachRecord([&findings](int i, const ToolpathRecord& r) {
    if (IsCuttingKind(r.kind) && r.feed == 0) {
      findings.push_back({FindingKind::ZeroFeed, Severity::Error, i, 0, "feed 0"});
    }
  });
  return findings;
}

std::string_view KindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::ArcRadiusMismatch: return "arcRadiusMismatch";
    case FindingKind::ShortRadius: return "shortRadius";
    case FindingKind::ZeroFeed: return "zeroFeed";
    case FindingKind::OutOfReach: return "outOfReach";
    case FindingKind::RecordLimit: return "recordLimit";
    case FindingKind::InvalidLine: return "invalidLine";
    case FindingKind::NotInterpreted: return "notInterpreted";
    case FindingKind::HeidenhainCycle: return "heidenhainCycle";
    case FindingKind::HomeMove: return "homeMove";
    case FindingKind::SubprogramCall: return "subprogramCall";
    case FindingKind::Variable: return "variable";
    case FindingKind::RadiusCompensation: return "radiusCompensation";
    case FindingKind::DiagonalRapid: return "diagonalRapid";
    case FindingKind::RapidIntoPart: return "rapidIntoPart";
    case FindingKind::BlockRate: return "blockRate";
    case FindingKind::FeedOverMaximum: return "feedOverMaximum";
    case FindingKind::Unit: return "unit";
    case FindingKind::DrillingCycle: return "drillingCycle";
    case FindingKind::AbsoluteCentres: return "absoluteCentres";
    case FindingKind::FirstPosition: return "firstPosition";
  }
  return "";
}

Severity SeverityOf(FindingKind kind) {
  switch (kind) {
    case FindingKind::ArcRadiusMismatch:
    case FindingKind::ShortRadius:
    case FindingKind::ZeroFeed:
    case FindingKind::OutOfReach:
    case FindingKind::RecordLimit: return Severity::Error;
    default: return Severity::Warning;
  }
}

}  // namespace fendo
