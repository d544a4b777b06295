#pragma once

#include <QDialog>

#include "core/length_unit.h"
#include "core/statistics.h"

namespace fendo {

// "Ncdata 정보": the statistics of the work layer, for reading only, with the unit its program
// states; lengths and the feed are labelled in that unit. OK and Cancel both close it.
class CNcdataInfoDlg : public QDialog {
 public:
  explicit CNcdataInfoDlg(const ToolpathStatistics& statistics, const ProgramUnit& unit = {},
                          QWidget* parent = nullptr);
};

}  // namespace fendo
