#include <QTreeWidget>

#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "app/commands/optimizer_commands.h"
#include "app/dialogs/preflight_dialog.h"
#include "app/fendo_view.h"
#include "app_fixture.h"
#include "check/preflight_check.h"
#include "feed/machine_feed_options.h"
#include "core/toolpath_database.h"
#include "feed/feed_control.h"
#include "view/navigation.h"

namespace fendo {
namespace {

// Two cutting moves before any F word (the plunge and the cut after it), then a cut at F300.
constexpr char kZeroFeedProgram[] = "%\nO0001\nG90 G00 X0 Y0 Z10.\nG01 Z0\nX50.\nY20. F300\nG00 Z10.\nM30\n%\n";
constexpr int kZeroFeedCuts = 2;
// One path with its feed given on the plunge.
constexpr char kCleanProgram[] = "%\nO0002\nG90 G00 X0 Y0 Z10.\nG01 Z0 F300\nX50.\nY20.\nG00 Z10.\nM30\n%\n";

std::vector<int> SelectedRecords(ToolpathDatabase& db) {
  std::vector<int> selected;
  for (int i = 0; i < db.recordCount; ++i) {
    if (db.RecordAt(i)->selected) selected.push_back(i);
  }
  return selected;
}

// The cutting records at feed 0.
std::vector<int> ZeroFeedCuts(ToolpathDatabase& db) {
  std::vector<int> records;
  for (int i = 0; i < db.recordCount; ++i) {
    const ToolpathRecord* r = db.RecordAt(i);
    if (IsCuttingKind(r->kind) && r->feed == 0) records.push_back(i);
  }
  return records;
}

QTreeWidgetItem* KindRow(QTreeWidget& list, FindingKind kind) {
  for (int k = 0; k < list.topLevelItemCount(); ++k) {
    if (list.topLevelItem(k)->text(PreflightDialog::KindColumn) == KindText(kind)) return list.topLevelItem(k);
  }
  return nullptr;
}

}  // namespace

class PreflightTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<AppFixture>(); }
  void cleanup() { fixture_.reset(); }

  void menuItemIsEnabled();
  void feedZeroCutsAreListedAsErrorsWithTheirCounts();
  void doubleClickSelectsAndCentresTheRecord();
  void cleanProgramPasses();
  void manyFindingsAreCountedButListedOnlyInPart();

 private:
  CFendoView& view() { return *fixture_->frame().ActiveView(); }
  ToolpathDatabase& db() { return view().database(); }
  void Open(const char* text) {
    std::ofstream(fixture_->home() / "check.nc", std::ios::binary) << text;
    QVERIFY(fixture_->frame().OpenDocument(fixture_->HomeFile("check.nc")));
  }
  // The findings of the engine, as the command asks for them.
  std::vector<Finding> EngineFindings() {
    const FeedControl& host = FeedOptimizerHost(fixture_->app());
    return CheckProgramReport(db(), {db().layers[db().layers.workLayer].fileName, db().options.heidenhainInputChk,
                                     &host.machines[host.currentMachine],
                                     &fixture_->app().Remembered<MachineFeedOptions>()})
        .findings;
  }
  // Runs the command; `look` sees its dialog, which is closed afterwards.
  void RunCheck(std::function<void(PreflightDialog&)> look) {
    bool shown = false;
    AnswerNextDialog([&shown, look](QWidget& dialog) {
      auto* preflight = dynamic_cast<PreflightDialog*>(&dialog);
      if (preflight) {
        shown = true;
        QCOMPARE(preflight->windowTitle(), QStringLiteral("공구경로 체크"));
        look(*preflight);
      }
      qobject_cast<QDialog*>(&dialog)->reject();
    });
    fixture_->frame().RunCommand(CommandId::CheckToolpath);
    QVERIFY(shown);
  }

  std::unique_ptr<AppFixture> fixture_;
};

void PreflightTest::menuItemIsEnabled() {
  Open(kCleanProgram);
  fixture_->frame().UpdateCommandStates();
  QVERIFY(fixture_->frame().Action(CommandId::CheckToolpath)->isEnabled());
}

void PreflightTest::feedZeroCutsAreListedAsErrorsWithTheirCounts() {
  Open(kZeroFeedProgram);
  const std::vector<int> zeroFeed = ZeroFeedCuts(db());
  QCOMPARE(static_cast<int>(zeroFeed.size()), kZeroFeedCuts);
  std::map<QString, int> engineCounts;
  int engineErrors = 0;
  for (const Finding& finding : EngineFindings()) {
    ++engineCounts[KindText(finding.kind)];
    if (finding.severity == Severity::Error) ++engineErrors;
  }

  RunCheck([&](PreflightDialog& dialog) {
    QTreeWidget& list = dialog.list();
    QTreeWidgetItem* row = KindRow(list, FindingKind::ZeroFeed);
    QVERIFY(row);
    QCOMPARE(list.topLevelItem(0), row);
    QCOMPARE(row->text(PreflightDialog::SeverityColumn), QStringLiteral("오류"));
    QCOMPARE(row->text(PreflightDialog::CountColumn).toInt(), kZeroFeedCuts);
    QCOMPARE(row->childCount(), kZeroFeedCuts);
    for (int k = 0; k < kZeroFeedCuts; ++k) {
      QCOMPARE(row->child(k)->text(PreflightDialog::RecordColumn).toInt(), zeroFeed[k]);
    }
    // Every kind's count is the engine's, and no kind is listed twice.
    QCOMPARE(static_cast<std::size_t>(list.topLevelItemCount()), engineCounts.size());
    bool warningSeen = false;
    for (int k = 0; k < list.topLevelItemCount(); ++k) {
      const QTreeWidgetItem* kind = list.topLevelItem(k);
      QCOMPARE(kind->text(PreflightDialog::CountColumn).toInt(), engineCounts[kind->text(PreflightDialog::KindColumn)]);
      const bool error = kind->text(PreflightDialog::SeverityColumn) == QStringLiteral("오류");
      QVERIFY2(!(error && warningSeen), "errors come first");
      warningSeen = warningSeen || !error;
    }
    QVERIFY(dialog.summary().startsWith(QStringLiteral("오류 %1개, 경고 ").arg(engineErrors)));
    QCOMPARE(engineErrors, kZeroFeedCuts);
  });
}

void PreflightTest::doubleClickSelectsAndCentresTheRecord() {
  Open(kZeroFeedProgram);
  const int record = ZeroFeedCuts(db()).back();
  db().ReadRecord(record);
  const Point3 end{db().cursor.x, db().cursor.y, db().cursor.z};
  ViewState expected = view().viewState();
  CentreOn(expected, end);
  QVERIFY(expected.panX != view().viewState().panX || expected.panY != view().viewState().panY);

  RunCheck([&](PreflightDialog& dialog) {
    QTreeWidget& list = dialog.list();
    QTreeWidgetItem* row = KindRow(list, FindingKind::ZeroFeed);
    QVERIFY(row);
    row->setExpanded(true);
    QTreeWidgetItem* finding = row->child(kZeroFeedCuts - 1);
    list.scrollToItem(finding);
    const QPoint at = list.visualItemRect(finding).center();
    QVERIFY(list.viewport()->rect().contains(at));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(SelectedRecords(db()), std::vector<int>{record});
    QCOMPARE(view().viewState().panX, expected.panX);
    QCOMPARE(view().viewState().panY, expected.panY);
    QVERIFY2(dialog.isVisible(), "the dialog stays open for the next finding");
  });
}

void PreflightTest::cleanProgramPasses() {
  Open(kCleanProgram);
  RunCheck([](PreflightDialog& dialog) {
    QCOMPARE(dialog.list().topLevelItemCount(), 0);
    QVERIFY(dialog.summary().contains(QStringLiteral("통과")));
  });
}

void PreflightTest::manyFindingsAreCountedButListedOnlyInPart() {
  constexpr int kMany = PreflightDialog::kShownPerKind + 5;
  CheckReport report;
  for (int k = 0; k < PreflightDialog::kShownPerKind; ++k) {
    report.findings.push_back({FindingKind::DiagonalRapid, Severity::Warning, k, k + 1, "G00"});
  }
  report.findings.push_back({FindingKind::RecordLimit, Severity::Error, -1, 0, "cut off"});
  report.counts[static_cast<int>(FindingKind::DiagonalRapid)] = kMany;
  report.counts[static_cast<int>(FindingKind::RecordLimit)] = 1;
  std::vector<std::int64_t> shown;
  PreflightDialog dialog(report, [&shown](std::int64_t record) { shown.push_back(record); }, nullptr);
  QTreeWidget& list = dialog.list();
  QCOMPARE(list.topLevelItemCount(), 2);
  QCOMPARE(list.topLevelItem(0)->text(PreflightDialog::KindColumn), KindText(FindingKind::RecordLimit));
  QTreeWidgetItem* rapids = list.topLevelItem(1);
  QCOMPARE(rapids->text(PreflightDialog::CountColumn).toInt(), kMany);
  QCOMPARE(rapids->childCount(), PreflightDialog::kShownPerKind + 1);
  QVERIFY(rapids->child(PreflightDialog::kShownPerKind)->text(PreflightDialog::TextColumn).contains(QStringLiteral("5개")));
  QCOMPARE(dialog.summary(), QStringLiteral("오류 1개, 경고 %1개").arg(kMany));

  // A finding about the whole program and the row of the rest have no record to show.
  emit list.itemDoubleClicked(list.topLevelItem(0)->child(0), 0);
  emit list.itemDoubleClicked(rapids->child(PreflightDialog::kShownPerKind), 0);
  emit list.itemDoubleClicked(rapids->child(3), 0);
  QCOMPARE(shown, std::vector<std::int64_t>{3});
}

}  // namespace fendo

QTEST_MAIN(fendo::PreflightTest)
#include "preflight_test.moc"
