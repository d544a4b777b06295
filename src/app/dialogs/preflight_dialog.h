#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <span>

#include "check/preflight_check.h"

class QLabel;
class QTreeWidget;

namespace fendo {

// "공구경로 체크": the findings of the pre-flight check, one row per kind with its severity and
// count (errors first), each opening to its findings (record, line, what was found), and a
// summary line under them. A double click on a finding hands its record to `showRecord`; the
// dialog stays open so that the user can go from one finding to the next.
//
// A program can have millions of findings: every one is counted, but a kind lists only its
// first kShownPerKind, and a last row says how many more there are.
class PreflightDialog : public QDialog {
 public:
  // The columns of the list: a kind's row fills the first three, a finding's the last three.
  enum Column { KindColumn, SeverityColumn, CountColumn, RecordColumn, LineColumn, TextColumn, ColumnCount };
  static constexpr int kShownPerKind = 1000;

  PreflightDialog(const CheckReport& report, std::function<void(std::int64_t record)> showRecord,
                  QWidget* parent);

  QTreeWidget& list() { return *list_; }
  QString summary() const;

 private:
  QTreeWidget* list_;
  QLabel* summary_;
};

// The kind as the dialog names it.
QString KindText(FindingKind kind);

}  // namespace fendo
