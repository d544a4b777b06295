#pragma once

#include <QDialog>

#include "core/statistics.h"

namespace fendo {

// "Ncdata 정보": the statistics of the work layer, for reading only. OK and Cancel both close it.
class CNcdataInfoDlg : public QDialog {
 public:
  explicit CNcdataInfoDlg(const ToolpathStatistics& statistics, QWidget* parent = nullptr);
};

}  // namespace fendo
