#include "cli/optimize_report.h"

#include <cstdio>

#include "cli/json_writer.h"

namespace fendo {

std::string FeedReportJson(const FeedReport& report) {
  std::string rules = "[";
  for (const FeedRuleLine& line : report.rules) {
    if (rules.size() > 1) rules += ", ";
    rules += JsonObject()
                 .Add("rule", FeedRuleName(line.rule))
                 .Add("records", line.records)
                 .Add("length", line.length)
                 .Add("timeAdded", line.minutesAdded)
                 .str();
  }
  rules += "]";
  return JsonObject().Add("before", report.minutesBefore).Add("after", report.minutesAfter).AddRaw("rules", rules).str();
}

void PrintFeedReport(const FeedReport& report, std::ostream& out) {
  char row[128];
  std::snprintf(row, sizeof row, "%-14s %10s %14s %12s\n", "rule", "records", "length mm", "added min");
  out << row;
  for (const FeedRuleLine& line : report.rules) {
    std::snprintf(row, sizeof row, "%-14s %10d %14.3f %12.3f\n", std::string(FeedRuleName(line.rule)).c_str(),
                  line.records, line.length, line.minutesAdded);
    out << row;
  }
  std::snprintf(row, sizeof row, "%-14s %10s %14s %12.3f\n", "total", "", "", report.minutesAfter - report.minutesBefore);
  out << row;
}

}  // namespace fendo
