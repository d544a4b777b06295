#include <gtest/gtest.h>

#include <vector>

#include "core/toolpath_database.h"
#include "view/centre_record.h"
#include "view/sample_program.h"

namespace fendo {
namespace {

std::vector<int> SelectedRecords(ToolpathDatabase& db) {
  std::vector<int> selected;
  for (int i = 0; i < db.recordCount; ++i) {
    if (db.RecordAt(i)->selected) selected.push_back(i);
  }
  return selected;
}

void Select(ToolpathDatabase& db, int record) {
  db.ReadRecord(record);
  db.cursor.selected = 1;
  db.WriteRecord(record);
}

// The client point the view shows `p` at.
ClientPoint Shown(const ViewState& view, Point3 p) { return Projection(view).ToClient(p); }

TEST(CentreOnRecord, AMoveBecomesTheOneSelectionAtTheCentre) {
  struct Case {
    int record;
    Point3 end;
    const char* what;
  };
  const std::vector<Case> cases = {
      {3, {50, 50, 0}, "a cut"},
      {8, {20, -30, 0}, "an arc, at its end point"},
      {5, {-50, -50, 10}, "a rapid move"},
  };
  for (const Case& c : cases) {
    ToolpathDatabase db;
    test::FillThreePaths(db);
    Select(db, 7);
    ViewState view = test::TopView();
    EXPECT_TRUE(CentreOnRecord(db, view, c.record)) << c.what;
    EXPECT_EQ(SelectedRecords(db), std::vector<int>{c.record}) << c.what;
    const ClientPoint at = Shown(view, c.end);
    EXPECT_NEAR(at.x, 100, 1e-6) << c.what;
    EXPECT_NEAR(at.y, 100, 1e-6) << c.what;
    EXPECT_EQ(view.scale, test::TopView().scale) << "the zoom stays: " << c.what;
  }
}

TEST(CentreOnRecord, ARecordThatIsNoMoveCentresOnTheMoveBeforeIt) {
  ToolpathDatabase db;
  test::FillThreePaths(db);
  Select(db, 3);
  ViewState view = test::TopView();
  EXPECT_TRUE(CentreOnRecord(db, view, 9)) << "the centre record of arc 8";
  EXPECT_TRUE(SelectedRecords(db).empty());
  const ClientPoint at = Shown(view, {20, -30, 0});
  EXPECT_NEAR(at.x, 100, 1e-6);
  EXPECT_NEAR(at.y, 100, 1e-6);
}

TEST(CentreOnRecord, AnIndexOutsideTheBufferChangesNothing) {
  for (const int record : {-1, 15, 1000}) {
    ToolpathDatabase db;
    test::FillThreePaths(db);
    Select(db, 3);
    ViewState view = test::TopView();
    EXPECT_FALSE(CentreOnRecord(db, view, record)) << record;
    EXPECT_EQ(SelectedRecords(db), std::vector<int>{3}) << record;
    EXPECT_EQ(view.panX, test::TopView().panX) << record;
    EXPECT_EQ(view.panY, test::TopView().panY) << record;
  }
}

}  // namespace
}  // namespace fendo
