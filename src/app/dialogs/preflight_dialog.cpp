#include "app/dialogs/preflight_dialog.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>
#include <vector>

#include "app/qt_text.h"

namespace fendo {
namespace {

constexpr int kKindCount = static_cast<int>(kFindingKinds);
constexpr int kListWidth = 760;
constexpr int kListLines = 24;
// Where a finding's row keeps its record, for the double click.
constexpr int kRecordRole = Qt::UserRole;
const QColor kErrorColour(Qt::red);

QString SeverityText(Severity severity) {
  return severity == Severity::Error ? QStringLiteral("오류") : QStringLiteral("경고");
}

// The kinds in the order the list shows them: errors first, each severity in the engine's order.
std::vector<FindingKind> KindsInListOrder() {
  std::vector<FindingKind> kinds;
  for (const Severity severity : {Severity::Error, Severity::Warning}) {
    for (int k = 0; k < kKindCount; ++k) {
      const auto kind = static_cast<FindingKind>(k);
      if (SeverityOf(kind) == severity) kinds.push_back(kind);
    }
  }
  return kinds;
}

QTreeWidgetItem* FindingRow(const Finding& finding) {
  auto* row = new QTreeWidgetItem;
  if (finding.record >= 0) {
    row->setText(PreflightDialog::RecordColumn, QString::number(finding.record));
    row->setData(PreflightDialog::KindColumn, kRecordRole, QVariant::fromValue<qlonglong>(finding.record));
  }
  if (finding.line > 0) row->setText(PreflightDialog::LineColumn, QString::number(finding.line));
  row->setText(PreflightDialog::TextColumn, Utf8(finding.text));
  return row;
}

QTreeWidgetItem* KindRow(FindingKind kind, std::int64_t count) {
  auto* row = new QTreeWidgetItem;
  row->setText(PreflightDialog::KindColumn, KindText(kind));
  row->setText(PreflightDialog::SeverityColumn, SeverityText(SeverityOf(kind)));
  row->setText(PreflightDialog::CountColumn, QString::number(count));
  if (SeverityOf(kind) == Severity::Error) {
    QFont bold = row->font(PreflightDialog::KindColumn);
    bold.setBold(true);
    for (int column = PreflightDialog::KindColumn; column <= PreflightDialog::CountColumn; ++column) {
      row->setFont(column, bold);
      row->setForeground(column, QBrush(kErrorColour));
    }
  }
  return row;
}

}  // namespace

QString KindText(FindingKind kind) {
  switch (kind) {
    case FindingKind::ArcRadiusMismatch: return QStringLiteral("원호 반경 불일치");
    case FindingKind::ShortRadius: return QStringLiteral("현의 반보다 짧은 R");
    case FindingKind::ZeroFeed: return QStringLiteral("Feed 0 절삭");
    case FindingKind::OutOfReach: return QStringLiteral("좌표 범위 초과 (±32700)");
    case FindingKind::RecordLimit: return QStringLiteral("레코드 한계로 잘린 프로그램");
    case FindingKind::InvalidLine: return QStringLiteral("읽을 수 없는 줄");
    case FindingKind::NotInterpreted: return QStringLiteral("해석하지 않은 줄");
    case FindingKind::HeidenhainCycle: return QStringLiteral("Heidenhain 사이클 (CYCL)");
    case FindingKind::HomeMove: return QStringLiteral("원점 복귀 (G28, G30, G53)");
    case FindingKind::SubprogramCall: return QStringLiteral("서브 프로그램 호출");
    case FindingKind::Variable: return QStringLiteral("변수, 수식");
    case FindingKind::RadiusCompensation: return QStringLiteral("공구경 보정 (G41, G42)");
    case FindingKind::DiagonalRapid: return QStringLiteral("대각선 급속이송");
    case FindingKind::RapidIntoPart: return QStringLiteral("가공 높이 아래로 급속이송");
    case FindingKind::BlockRate: return QStringLiteral("블록 처리 속도 초과");
    case FindingKind::FeedOverMaximum: return QStringLiteral("기계 최대 feed 초과");
    case FindingKind::Unit: return QStringLiteral("단위 (inch)");
    case FindingKind::DrillingCycle: return QStringLiteral("전개된 드릴 사이클");
    case FindingKind::AbsoluteCentres: return QStringLiteral("절대 원호 중심 의심");
    case FindingKind::FirstPosition: return QStringLiteral("뒤에 지정된 축의 첫 이동");
  }
  return {};
}

PreflightDialog::PreflightDialog(const CheckReport& report, std::function<void(std::int64_t)> showRecord,
                                 QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)), summary_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("공구경로 체크"));
  list_->setObjectName(QStringLiteral("findings"));
  summary_->setObjectName(QStringLiteral("summary"));

  // The report counts every finding; it keeps only the first ones of a kind.
  const auto& counts = report.counts;
  std::array<std::vector<const Finding*>, kKindCount> shown;
  for (const Finding& finding : report.findings) {
    const int k = static_cast<int>(finding.kind);
    if (shown[k].size() < static_cast<std::size_t>(kShownPerKind)) shown[k].push_back(&finding);
  }
  std::int64_t errors = 0;
  std::int64_t all = 0;
  for (int k = 0; k < kKindCount; ++k) {
    all += counts[k];
    if (SeverityOf(static_cast<FindingKind>(k)) == Severity::Error) errors += counts[k];
  }

  list_->setColumnCount(ColumnCount);
  list_->setHeaderLabels({QStringLiteral("항목"), QStringLiteral("구분"), QStringLiteral("개수"), QStringLiteral("레코드"),
                          QStringLiteral("줄"), QStringLiteral("내용")});
  list_->setUniformRowHeights(true);
  for (const FindingKind kind : KindsInListOrder()) {
    const int k = static_cast<int>(kind);
    if (counts[k] == 0) continue;
    QTreeWidgetItem* kindRow = KindRow(kind, counts[k]);
    QList<QTreeWidgetItem*> rows;
    for (const Finding* finding : shown[k]) rows.append(FindingRow(*finding));
    if (const std::int64_t more = counts[k] - static_cast<std::int64_t>(shown[k].size()); more > 0) {
      auto* rest = new QTreeWidgetItem;
      rest->setText(TextColumn, QStringLiteral("… 외 %1개").arg(more));
      rows.append(rest);
    }
    kindRow->addChildren(rows);
    list_->addTopLevelItem(kindRow);
  }
  list_->header()->setSectionResizeMode(KindColumn, QHeaderView::ResizeToContents);
  list_->setMinimumSize(kListWidth, list_->fontMetrics().lineSpacing() * kListLines);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [showRecord](QTreeWidgetItem* row, int) {
    const QVariant record = row->data(KindColumn, kRecordRole);
    if (record.isValid()) showRecord(record.toLongLong());
  });

  summary_->setText(all == 0 ? QStringLiteral("공구경로 체크를 통과했습니다. 찾은 문제가 없습니다.")
                             : QStringLiteral("오류 %1개, 경고 %2개").arg(errors).arg(all - errors));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(summary_);
  layout->addWidget(buttons);
}

QString PreflightDialog::summary() const { return summary_->text(); }

}  // namespace fendo
