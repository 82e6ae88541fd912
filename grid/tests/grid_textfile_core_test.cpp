// The grid's own load and save: one repaint for the whole load, progress
// per field, and the rows kept across a save and a load.
#include <gtest/gtest.h>

#include <filesystem>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

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

TEST_F(GridFiles, SaveAndLoadKeepTheRowsWithOneRepaint) {
  TFakeGridHost host;
  TTestGrid g(3, 3);
  host.Attach(&g);
  g.SetCells(0, 0, u"1");
  g.SetCells(1, 0, u"Кино - Группа крови.mp3");
  g.SetCells(2, 1, u"a;b \"q\"");
  g.SetCells(1, 2, u"\u4e2d");
  g.SaveToTextFile(Name(u"список записей.txt"), u';', u'|', 1);

  TTestGrid back(3, 1);
  TFakeGridHost host2;
  host2.Attach(&back);
  back.SetOptions(back.Options() + goSelectFullRow);
  back.SetSelectedRow(0);
  int progress = 0;
  back.OnLoadProgress = [&](TObject*, int, int) { ++progress; };
  host2.ClearRecords();
  back.LoadFromTextFile(Name(u"список записей.txt"), u';', u'|');
  EXPECT_EQ(back.RowCount(), 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(back.Cells(c, r), g.Cells(c, r)) << c << "," << r;
  EXPECT_EQ(progress, 9);
  EXPECT_EQ(back.SelectedRow(), -1); // the old rows went
  EXPECT_EQ(back.UpdateLock(), 0);
  EXPECT_EQ(host2.invalidated_all, 0);
  EXPECT_LE(host2.rects.size(), 3u); // cells, header, indicator once each
}

TEST_F(GridFiles, AMissingFileRaisesAndLeavesTheRows) {
  TTestGrid g(2, 2);
  g.SetCells(0, 1, u"kept");
  EXPECT_THROW(g.LoadFromTextFile(Name(u"нет такого.txt"), u';', u'|'), EInOutError);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(0, 1), u"kept");
  EXPECT_EQ(g.UpdateLock(), 0);
}
