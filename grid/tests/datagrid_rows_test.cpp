// TDataGrid under long random sequences of row operations, checked against
// a plain list after every step: the rows, the selection and its anchor on
// their rows, the top row, the first and last visible rows and the vertical
// bar; and the rows' round trip through a text file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "grid/tests/datagrid_fixture.h"

namespace fs = std::filesystem;

namespace {

struct Model {
  std::vector<int> ids;
  std::vector<bool> visible;
  int selected = -1, anchor = -1; // ids, -1 none
  int IndexOf(int id) const {
    auto it = std::find(ids.begin(), ids.end(), id);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
  }
};

struct RandomRows : ::testing::TestWithParam<unsigned>, DataGridFixture {
  Model m;
  int next_id = 0;
  std::mt19937 rng{GetParam()};
  int op = -1; // the last step's kind, for the failure message

  int Pick(int lo, int hi) {
    return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
  }
  int NewId(int row) {
    int id = next_id++;
    grid->SetCells(0, row, Name(id));
    return id;
  }
  // The row taking the place of a deleted one, or the new last one.
  int Replacement(int index) const {
    if (m.ids.empty()) return -1;
    return m.ids[static_cast<size_t>(std::min(index, static_cast<int>(m.ids.size()) - 1))];
  }

  void Step() {
    int n = static_cast<int>(m.ids.size());
    op = Pick(0, 9);
    switch (op) {
      case 0: {
        int k = Pick(0, 3);
        grid->AddRow(k);
        for (int i = 0; i < k; ++i) {
          m.ids.push_back(NewId(n + i));
          m.visible.push_back(true);
        }
        break;
      }
      case 1: {
        int pos = Pick(-1, n + 1);
        grid->InsertRow(pos);
        if (pos < 0 || pos > n) break;
        m.ids.insert(m.ids.begin() + pos, NewId(pos));
        m.visible.insert(m.visible.begin() + pos, true);
        break;
      }
      case 2:
      case 3: {
        int r = Pick(-1, n);
        grid->DeleteRow(r);
        if (r < 0 || r >= n) break;
        int id = m.ids[static_cast<size_t>(r)];
        m.ids.erase(m.ids.begin() + r);
        m.visible.erase(m.visible.begin() + r);
        if (m.selected == id)
          m.selected = m.anchor = Replacement(r);
        else if (m.anchor == id)
          m.anchor = Replacement(r);
        break;
      }
      case 4: {
        int f = Pick(-1, n), t = Pick(0, n);
        grid->MoveRow(f, t);
        if (f < 0 || f >= n || t >= n) break;
        int id = m.ids[static_cast<size_t>(f)];
        bool v = m.visible[static_cast<size_t>(f)];
        m.ids.erase(m.ids.begin() + f);
        m.visible.erase(m.visible.begin() + f);
        m.ids.insert(m.ids.begin() + t, id);
        m.visible.insert(m.visible.begin() + t, v);
        break;
      }
      case 5: {
        int a = Pick(0, n), b = Pick(0, n);
        grid->ExchangeRows(a, b);
        if (a >= n || b >= n) break;
        std::swap(m.ids[static_cast<size_t>(a)], m.ids[static_cast<size_t>(b)]);
        bool va = m.visible[static_cast<size_t>(a)];
        m.visible[static_cast<size_t>(a)] = m.visible[static_cast<size_t>(b)];
        m.visible[static_cast<size_t>(b)] = va;
        break;
      }
      case 6: {
        int r = Pick(-1, n);
        grid->SelectCell(0, r, true, TShiftState());
        if (r >= 0 && r < n) m.selected = m.anchor = m.ids[static_cast<size_t>(r)];
        if (r == -1) m.selected = -1; // clears the selection
        if (r == -1 && n > 0) m.anchor = -1;
        break;
      }
      case 7: {
        if (n == 0) break;
        int r = Pick(0, n - 1);
        bool v = Pick(0, 2) > 0;
        grid->SetRowVisible(r, v);
        m.visible[static_cast<size_t>(r)] = v;
        break;
      }
      case 8: {
        bool ascending = Pick(0, 1) == 1;
        grid->SortColumn(grid->Columns()->Item(0), ascending);
        std::vector<size_t> order(m.ids.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
          return ascending ? m.ids[x] < m.ids[y] : m.ids[x] > m.ids[y];
        });
        Model s = m;
        for (size_t i = 0; i < order.size(); ++i) {
          s.ids[i] = m.ids[order[i]];
          s.visible[i] = m.visible[order[i]];
        }
        m = s;
        break;
      }
      case 9:
        if (n > 0) grid->SetRowHeight(Pick(0, n - 1), Pick(0, 40));
        break;
    }
  }

  void Check(int step) {
    SCOPED_TRACE(testing::Message() << "step " << step << ", operation " << op);
    int n = static_cast<int>(m.ids.size());
    ASSERT_EQ(grid->RowCount(), n);
    for (int r = 0; r < n; ++r) {
      ASSERT_EQ(At(r), Name(m.ids[static_cast<size_t>(r)])) << "row " << r;
      ASSERT_EQ(grid->GetRowVisible(r), m.visible[static_cast<size_t>(r)]) << "row " << r;
    }
    ASSERT_EQ(grid->SelectedRow(), m.IndexOf(m.selected));
    if (m.selected >= 0) { ASSERT_TRUE(grid->GetRowSelected(grid->SelectedRow())); }
    if (m.anchor >= 0) { ASSERT_EQ(grid->Anchor(), m.IndexOf(m.anchor)); }
    int first = -1, last = -1;
    for (int r = 0; r < n; ++r)
      if (m.visible[static_cast<size_t>(r)]) {
        if (first < 0) first = r;
        last = r;
      }
    ASSERT_EQ(grid->FirstVisibleRow(), std::max(first, 0));
    ASSERT_EQ(grid->LastVisibleRow(), std::max(last, 0));
    int top = grid->TopRow();
    ASSERT_GE(top, 0);
    ASSERT_LT(top, std::max(n, 1));
    if (first >= 0) { ASSERT_TRUE(grid->GetRowVisible(top)); }
    // The bar counts visible rows; its position is the rows above the top.
    int visible = grid->VisibleRowCount();
    if (host.vert.Max() > 0) {
      ASSERT_EQ(host.vert.Max(), visible);
      ASSERT_EQ(host.vert.Position(), grid->VisibleRowsBefore(top));
    }
  }
};

TEST_P(RandomRows, SelectionAnchorAndViewStayOnTheirRows) {
  grid->Columns()->Item(0)->SetSortType(stNumeric);
  grid->SetOptions(grid->Options() + TGridOptions{goGrid});
  FullRowSelection();
  for (int step = 0; step < 1500; ++step) {
    // Now and then a burst of steps under the lock, checked once it ends.
    if (Pick(0, 40) == 0) {
      grid->BeginUpdate();
      for (int k = Pick(1, 8); k > 0; --k) Step();
      grid->EndUpdate();
    } else {
      Step();
    }
    Check(step);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomRows, ::testing::Values(1u, 2u, 3u, 17u, 2024u));

// Trees under random adds, deletes, moves, swaps, sorts and collapses keep
// their shape: every child right under its parent's subtree, one level
// deeper, child counts true, hidden rows exactly those under a collapsed
// ancestor, and the selection on the row it was on while that row lives.
struct RandomTrees : ::testing::TestWithParam<unsigned>, DataGridFixture {
  std::mt19937 rng{GetParam()};
  int next_id = 0;
  int Pick(int lo, int hi) {
    return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
  }
  void Name(int row) { grid->SetCells(0, row, DataGridFixture::Name(next_id++)); }

  void CheckShape() {
    TCells& cells = *grid->CellStore();
    const int n = grid->RowCount();
    std::vector<int> children(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
      int p = grid->ParentRow(r);
      TRow* row = cells.Row(r);
      if (p < 0) {
        ASSERT_EQ(row->Level, 0) << "row " << r;
        ASSERT_TRUE(row->Shown) << "row " << r;
        continue;
      }
      ASSERT_LT(p, r);
      ASSERT_EQ(row->Level, cells.Row(p)->Level + 1) << "row " << r;
      for (int k = p + 1; k < r; ++k)
        ASSERT_GT(cells.Row(k)->Level, cells.Row(p)->Level) << "row " << r;
      ++children[static_cast<size_t>(p)];
      ASSERT_EQ(row->Shown, cells.Row(p)->Shown && cells.Row(p)->Expanded) << "row " << r;
    }
    for (int r = 0; r < n; ++r)
      ASSERT_EQ(grid->ChildCount(r), children[static_cast<size_t>(r)]) << "row " << r;
  }
};

TEST_P(RandomTrees, KeepTheirShapeAndTheSelection) {
  FullRowSelection();
  grid->Columns()->Item(0)->SetSortType(stNumeric);
  for (int step = 0; step < 800; ++step) {
    SCOPED_TRACE(testing::Message() << "step " << step);
    const int n = grid->RowCount();
    TCells& cells = *grid->CellStore();
    // The selected row by its name (names are unique).
    WideString selected = grid->SelectedRow() >= 0 ? At(grid->SelectedRow()) : WideString();
    int a = n ? Pick(0, n - 1) : 0, b = n ? Pick(0, n - 1) : 0;
    const int op = n == 0 ? 0 : Pick(0, 8);
    SCOPED_TRACE(testing::Message() << "operation " << op << " on " << a << ", " << b);
    switch (op) {
      case 0: Name(grid->AddRow(1)); break;
      case 1:
      case 2: {
        bool last = Pick(0, 1) == 1;
        grid->AddChildRow(a, last);
        Name(last ? a + cells.DescendantCount(a) : a + 1);
        break;
      }
      case 3:
        if (At(a) == selected || Pick(0, 3) == 0) grid->DeleteRow(a);
        break;
      case 4: grid->MoveRow(a, b); break;
      case 5: grid->ExchangeRows(a, b); break;
      case 6: grid->SortColumn(grid->Columns()->Item(0), Pick(0, 1) == 1); break;
      case 7: grid->SetExpanded(a, !grid->Expanded(a)); break;
      case 8:
        grid->SelectCell(0, a, true, TShiftState());
        selected.clear(); // moved on purpose
        break;
    }
    CheckShape();
    if (HasFatalFailure()) return;
    // A selected row that still exists is still the selected one.
    int still = -1;
    for (int r = 0; !selected.empty() && r < grid->RowCount(); ++r)
      if (At(r) == selected) still = r;
    if (still >= 0) {
      ASSERT_EQ(grid->SelectedRow(), still);
      ASSERT_TRUE(grid->GetRowSelected(still));
    }
    ASSERT_LT(grid->SelectedRow(), std::max(grid->RowCount(), 0));
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomTrees, ::testing::Values(4u, 5u, 6u, 99u));

// A scratch folder whose name has blanks and Cyrillic letters.
struct RowFiles : ::testing::Test, DataGridFixture {
  fs::path dir =
      fs::temp_directory_path() /
      fs::path(
          u"записи сетки " +
          fs::path(std::to_string(::testing::UnitTest::GetInstance()->random_seed())).u16string());
  RowFiles() : DataGridFixture(3) {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~RowFiles() override { fs::remove_all(dir); }
  std::u16string Name(const std::u16string& leaf) const {
    return (dir / fs::path(leaf)).u16string();
  }
};

TEST_F(RowFiles, RowsComeBackWholeEachWithItsOwnEvents) {
  Rows(300);
  for (int r = 0; r < 300; ++r) {
    grid->SetCells(1, r, u"Кино - Группа крови, \"live\".mp3");
    grid->SetCells(2, r, r % 2 ? u"1,91 mb" : u"строка\rвторая");
  }
  std::u16string file = Name(u"записано.ini");
  grid->SaveToTextFile(file, u',', u'|', 1);

  DataGridFixture other(3);
  other.Rows(2);
  int progress = 0;
  other.grid->OnLoadProgress = [&](TObject*, int, int) { ++progress; };
  other.host.ClearRecords();
  other.grid->LoadFromTextFile(file, u',', u'|');
  ASSERT_EQ(other.grid->RowCount(), 300);
  for (int r = 0; r < 300; r += 37)
    for (int c = 0; c < 3; ++c) {
      WideString expected = grid->Cells(c, r);
      if (c == 2 && r % 2 == 0) expected = u"строка\r\nвторая";
      EXPECT_EQ(other.grid->Cells(c, r), expected) << c << ", " << r;
    }
  EXPECT_EQ(progress, 900);
  // A row added and reported per record, every stored cell reported.
  EXPECT_EQ(other.changes.size(), 900u);
  EXPECT_EQ(other.changes.back(), std::make_pair(2, 299));
  int added = 0;
  for (auto& [kind, index] : other.data_changes)
    if (kind == dcAddRow) EXPECT_EQ(index, added++);
  EXPECT_EQ(added, 300);
  EXPECT_TRUE(other.host.Repainted());
  EXPECT_EQ(other.grid->UpdateLock(), 0);
}

TEST_F(RowFiles, ARecordTooWideStopsTheLoadWithTheGridUnlocked) {
  delete grid->Columns()->Item(2); // two columns left
  std::u16string file = Name(u"широкий.txt");
  DataGridFixture wide(3);
  wide.Rows(2);
  wide.grid->SaveToTextFile(file, u';', u'|', 0);
  try {
    grid->LoadFromTextFile(file, u';', u'|');
    FAIL() << "no error";
  } catch (const Exception& e) { EXPECT_EQ(std::string(e.what()), "Cell out of bounds (2, 0)"); }
  EXPECT_EQ(grid->UpdateLock(), 0);
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->Cells(0, 0), u"0");
}

} // namespace
