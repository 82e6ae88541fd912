// Benchmark of the grid's store and text files against plain containers:
// 100000 rows of three text cells (number, 30-60 Cyrillic letters, size):
// add, sort by name, reverse, save (UTF-16) and load, each beside a plain
// std::vector of arrays doing the same work in the same run, as ratios;
// and the memory per row of both (from the allocator's own count).
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgCells.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgTextFile.h"

namespace {

using Row3 = std::array<std::u16string, 3>;
constexpr int kRows = 100000;

double Seconds(const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

size_t HeapInUse() { return mallinfo2().uordblks; }

// The grid's row and cell interface over a bare store.
class StoreGrid : public TDgTextFileGrid {
 public:
  explicit StoreGrid(TCells& c) : cells_(c) {}
  void ClearRows() override { cells_.ClearRows(); }
  int AddRow(int Count) override {
    cells_.AddRows(Count);
    return cells_.RowCount() - 1;
  }
  int RowCount() const override { return cells_.RowCount(); }
  int ColumnCount() const override { return cells_.ColumnCount(); }
  WideString GetCells(int c, int r) override { return cells_.Cell(c, r)->AsString(); }
  void SetCells(int c, int r, const WideString& v) override { cells_.Cell(c, r)->SetAsString(v); }

 private:
  TCells& cells_;
};

void Report(const char* what, double grid, double plain) {
  std::printf("%-8s grid %8.2f ms   plain %8.2f ms   ratio %5.2f\n", what, grid * 1e3, plain * 1e3,
              grid / plain);
}

} // namespace

int main() {
  std::mt19937 rng(112);
  std::vector<Row3> data(kRows);
  for (int i = 0; i < kRows; ++i) {
    std::u16string name;
    int n = 30 + static_cast<int>(rng() % 31);
    for (int k = 0; k < n; ++k)
      name += static_cast<char16_t>(k % 7 == 6 ? u' ' : 0x430 + rng() % 32);
    char size[32];
    std::snprintf(size, sizeof size, "%u,%02u mb", static_cast<unsigned>(rng() % 20),
                  static_cast<unsigned>(rng() % 100));
    std::string num = std::to_string(i + 1);
    data[static_cast<size_t>(i)] = {std::u16string(num.begin(), num.end()), name,
                                    std::u16string(size, size + std::strlen(size))};
  }

  TDgColumns columns;
  TCells cells(&columns);
  columns.OnColumnsChanged = [&](int k, int i) { cells.ColumnsChanged(k, i, -1); };
  for (int i = 0; i < 3; ++i) columns.Add(new TDgTextColumn());

  size_t heap0 = HeapInUse();
  double add_grid = Seconds([&] {
    cells.AddRows(kRows);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < 3; ++c)
        cells.Cell(c, r)->SetAsString(data[static_cast<size_t>(r)][static_cast<size_t>(c)]);
  });
  size_t heap_grid = HeapInUse() - heap0;
  std::vector<Row3> plain;
  heap0 = HeapInUse();
  double add_plain = Seconds([&] {
    for (int r = 0; r < kRows; ++r) plain.push_back(data[static_cast<size_t>(r)]);
  });
  size_t heap_plain = HeapInUse() - heap0;
  Report("add", add_grid, add_plain);

  double sort_grid = Seconds([&] { cells.Sort(1, stAlphabetic, false, false); });
  double sort_plain = Seconds([&] {
    std::sort(plain.begin(), plain.end(), [](const Row3& a, const Row3& b) { return a[1] < b[1]; });
  });
  Report("sort", sort_grid, sort_plain);
  double rev_grid = Seconds([&] { cells.Sort(1, stAlphabetic, false, true); });
  double rev_plain = Seconds([&] { std::reverse(plain.begin(), plain.end()); });
  Report("reverse", rev_grid, rev_plain);

  namespace fs = std::filesystem;
  // A folder of this run's own: two runs at once must not share their files.
  fs::path dir = fs::temp_directory_path() / ("grid_store_bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::u16string grid_file = (dir / "grid.ini").u16string();
  fs::path plain_file = dir / "plain.ini";
  StoreGrid grid(cells);
  double save_grid = Seconds([&] { SaveToTextFile(grid, grid_file, u',', u'|', 1); });
  double save_plain = Seconds([&] {
    std::u16string text;
    for (const Row3& r : plain) text += r[0] + u',' + r[1] + u',' + r[2] + u"\r\n";
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 * text.size() + 2);
    for (char16_t u : text) {
      bytes += static_cast<char>(u & 0xFF);
      bytes += static_cast<char>(u >> 8);
    }
    std::ofstream(plain_file, std::ios::binary) << bytes;
  });
  Report("save", save_grid, save_plain);

  double load_grid = Seconds([&] { LoadFromTextFile(grid, grid_file, u',', u'|'); });
  std::vector<Row3> loaded;
  double load_plain = Seconds([&] {
    std::ifstream in(plain_file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string bytes = s.str();
    Row3 row;
    size_t col = 0;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      char16_t u = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8);
      if (u == u',')
        ++col;
      else if (u == u'\n') {
        loaded.push_back(std::move(row));
        row = Row3();
        col = 0;
      } else if (u != u'\r' && col < 3)
        row[col] += u;
    }
  });
  Report("load", load_grid, load_plain);
  std::printf("rows loaded: grid %d, plain %zu\n", cells.RowCount(), loaded.size());
  std::printf("memory per row: grid %.0f bytes, plain %.0f bytes, ratio %.2f\n",
              static_cast<double>(heap_grid) / kRows, static_cast<double>(heap_plain) / kRows,
              static_cast<double>(heap_grid) / static_cast<double>(heap_plain));
  fs::remove_all(dir);
  return 0;
}
