#pragma once

#include <ostream>
#include <string>

#include "feed/feed_rules.h"

namespace fendo {

// The optimizer's report as JSON on one line: minutes before and after, and per rule its
// output records, their length (mm) and the minutes it added.
std::string FeedReportJson(const FeedReport& report);

// The same as a table for the terminal.
void PrintFeedReport(const FeedReport& report, std::ostream& out);

}  // namespace fendo
