// What the data grid adds over its bare store: 100000 rows added one at a
// time under the update lock (three text cells each, written as the
// recorded-files window writes them), then one sort by the name column,
// each beside the same work on a TCells alone in the same run. Prints the
// ratios grid / store (figures go in notes, not in tests).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "grid/DgCellClasses.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgGrid.h"
#include "grid/tests/FakeGridHost.h"

namespace {

constexpr int kRows = 100000;

double Seconds(const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

std::vector<WideString> Names() {
  std::mt19937 rng(5);
  std::vector<WideString> names(kRows);
  for (auto& n : names) {
    int len = 30 + static_cast<int>(rng() % 31);
    for (int i = 0; i < len; ++i) n += static_cast<char16_t>(u'а' + rng() % 32);
  }
  return names;
}

struct Times {
  double add = 0, sort = 0;
};

Times Store(const std::vector<WideString>& names) {
  TDgColumns cols;
  TCells cells(&cols);
  cols.OnColumnsChanged = [&](int k, int i) { cells.ColumnsChanged(k, i, -1); };
  for (int i = 0; i < 3; ++i) cols.Add(new TDgTextColumn(nullptr));
  Times t;
  t.add = Seconds([&] {
    for (int r = 0; r < kRows; ++r) {
      cells.AddRows(1);
      cells.Cell(0, r)->SetAsString(DgCellText::Widen(std::to_string(r + 1)));
      cells.Cell(1, r)->SetAsString(names[static_cast<size_t>(r)]);
      cells.Cell(2, r)->SetAsString(u"1,91 mb");
    }
  });
  t.sort = Seconds([&] { cells.Sort(1, stAlphabetic, false, false); });
  return t;
}

Times Grid(const std::vector<WideString>& names) {
  TFakeGridHost host(381, 543);
  auto grid = std::make_unique<TDataGrid>();
  for (int i = 0; i < 3; ++i) grid->Columns()->Add(new TDgTextColumn(nullptr));
  host.Attach(grid.get());
  grid->SetOptions(grid->Options() + TGridOptions{goSelectFullRow, goGrid});
  Times t;
  t.add = Seconds([&] {
    grid->BeginUpdate();
    for (int r = 0; r < kRows; ++r) {
      int row = grid->AddRow(1);
      grid->Cell(0, row)->SetAsString(DgCellText::Widen(std::to_string(r + 1)));
      grid->Cell(1, row)->SetAsString(names[static_cast<size_t>(r)]);
      grid->Cell(2, row)->SetAsString(u"1,91 mb");
    }
    grid->EndUpdate();
  });
  grid->SelectCell(0, kRows / 2, true, TShiftState());
  t.sort = Seconds([&] { grid->SortColumn(grid->Columns()->Item(1), true); });
  grid->SetHost(nullptr);
  return t;
}

} // namespace

int main() {
  const auto names = Names();
  // Best of three runs each, interleaved, so both meet the same machine load.
  Times store{1e9, 1e9}, grid{1e9, 1e9};
  for (int i = 0; i < 3; ++i) {
    Times s = Store(names), g = Grid(names);
    store.add = std::min(store.add, s.add);
    store.sort = std::min(store.sort, s.sort);
    grid.add = std::min(grid.add, g.add);
    grid.sort = std::min(grid.sort, g.sort);
  }
  std::printf("%d rows added one at a time under the lock: grid / store = %.2f\n", kRows,
              grid.add / store.add);
  std::printf("sort by name (%d rows): grid / store = %.2f\n", kRows, grid.sort / store.sort);
  return 0;
}
