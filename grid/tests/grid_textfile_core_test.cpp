// The grid's own load and save: a row and its events per record, progress
// per field, and the rows kept across a save and a load.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"
#include "grid/tests/datagrid_fixture.h"

namespace fs = std::filesystem;

namespace {
class GridFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        fs::path(
            u"сетка ядра " +
            fs::path(::testing::UnitTest::GetInstance()->current_test_info()->name()).u16string());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  WideString Name(const std::u16string& leaf) const { return (dir_ / fs::path(leaf)).u16string(); }
  fs::path dir_;
};
} // namespace

TEST_F(GridFiles, SaveAndLoadKeepTheRowsAndEachRecordComesAsARowOfItsOwn) {
  TFakeGridHost host;
  TTestGrid g(3, 3);
  host.Attach(&g);
  g.SetCells(0, 0, u"1");
  g.SetCells(1, 0, u"Кино - Группа крови.mp3");
  g.SetCells(2, 1, u"a;b \"q\"");
  g.SetCells(1, 2, u"\u4e2d");
  g.SaveToTextFile(Name(u"список записей.txt"), u';', u'|', 1);

  DataGridFixture f(3);
  f.Rows(1);
  TDataGrid& back = *f.grid;
  back.SetOptions(back.Options() + goSelectFullRow);
  back.SetSelectedRow(0);
  // The footers are counted once the rows are in, not at every cell.
  back.Columns()->Item(0)->Footer()->SetFormulaKind(fkCustom);
  int counted = 0;
  back.OnFooterCalculate = [&](TObject*, int, double&) { ++counted; };
  std::vector<std::string> events;
  auto at = [](const char* what, int a, int b) {
    return std::string(what) + " " + std::to_string(a) + "," + std::to_string(b);
  };
  back.OnDataChange = [&](TObject*, TDataChange k, int i) { events.push_back(at("data", k, i)); };
  back.OnChange = [&](TObject*, int c, int r) { events.push_back(at("cell", c, r)); };
  back.OnLoadProgress = [&](TObject*, int c, int r) { events.push_back(at("progress", c, r)); };
  counted = 0;
  back.LoadFromTextFile(Name(u"список записей.txt"), u';', u'|');
  EXPECT_EQ(back.RowCount(), 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(back.Cells(c, r), g.Cells(c, r)) << c << "," << r;
  std::vector<std::string> expected;
  for (int r = 0; r < 3; ++r) {
    expected.push_back(at("data", dcAddRow, r));
    for (int c = 0; c < 3; ++c) {
      expected.push_back(at("cell", c, r));
      expected.push_back(at("progress", c, r));
    }
  }
  EXPECT_EQ(events, expected);
  EXPECT_EQ(back.SelectedRow(), -1); // the old rows went
  EXPECT_EQ(back.UpdateLock(), 0);
  EXPECT_FALSE(back.FootersHeld());
  EXPECT_EQ(counted, 1);
}

TEST_F(GridFiles, AMissingFileRaisesAndLeavesTheRows) {
  TTestGrid g(2, 2);
  g.SetCells(0, 1, u"kept");
  EXPECT_THROW(g.LoadFromTextFile(Name(u"нет такого.txt"), u';', u'|'), EInOutError);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(0, 1), u"kept");
  EXPECT_EQ(g.UpdateLock(), 0);
}
