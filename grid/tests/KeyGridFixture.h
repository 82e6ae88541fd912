// A grid of 3 text columns and 10 rows in a fake window whose cell area
// holds exactly 5 rows, with fake editors for its text columns: the keys'
// and editing tests drive it as the window would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/DgCellClasses.h"
#include "grid/tests/FakeGridHost.h"
#include "grid/tests/FakeInplaceEditor.h"
#include "grid/tests/TestGrid.h"

namespace vk {
constexpr uint16_t Tab = 9, Enter = 13, Escape = 27, PageUp = 33, PageDown = 34, End = 35,
                   Home = 36, Left = 37, Up = 38, Right = 39, Down = 40;
}

class KeyGridTest : public ::testing::Test {
 protected:
  // Header 18 + 5 rows of 16 + 1 grid line.
  static constexpr int kHeight = 18 + 5 * 17;

  void SetUp() override {
    DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TFakeInplaceEditor; });
    for (int c = 0; c < 3; ++c) grid.AddColumn(80);
    grid.AddRow(10);
    for (int r = 0; r < 10; ++r)
      for (int c = 0; c < 3; ++c)
        grid.SetCells(c, r, DgCellText::Widen("r" + std::to_string(r) + "c" + std::to_string(c)));
    grid.SetOptions(TGridOptions{goHeader, goGrid});
    host.Attach(&grid);
    host.focused = true;
  }
  void TearDown() override { DgSetTextEditorFactory(nullptr); }

  void Key(uint16_t K, TShiftState Shift = {}) { grid.KeyDown(K, Shift); }
  void Char(char16_t C) { grid.KeyPress(C); }
  void Select(int Col, int Row) { grid.SelectCell(Col, Row, true, TShiftState()); }
  TDgCustomColumn* Column(int I) { return grid.Columns()->Item(I); }
  void Editable(int I) { Column(I)->SetOptions(Column(I)->Options() + TColumnOptions{coEditing}); }
  TFakeInplaceEditor* Editor() { return dynamic_cast<TFakeInplaceEditor*>(grid.AttachedEditor()); }
  int Bar() { return host.vert.Position(); }

  TFakeGridHost host{300, kHeight};
  TTestGrid grid;
};
