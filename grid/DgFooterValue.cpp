// Footer formulas over a cell store (see DgFooterValue.h).
#include "grid/DgFooterValue.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "classlib/SysUtils.h"
#include "grid/DgCellClasses.h"
#include "grid/DgCells.h"

double DgFooterValue(TCells& Cells, int ACol, TFormulaKind Kind, bool VisibleOnly) {
  if (Kind == fkNone || Kind == fkCustom || ACol < 0 || ACol >= Cells.ColumnCount()) return 0;
  int rows = Cells.RowCount();
  auto counted = [&](int r) { return !VisibleOnly || Cells.Row(r)->Drawn(); };
  if (Kind == fkCount) {
    // With VisibleOnly the count is of the rows shown, as every other
    // formula then takes only those: all rows would count what is hidden.
    if (!VisibleOnly) return rows;
    return Cells.VisibleCount();
  }
  if (Kind == fkDistinct) {
    // Texts compared as 8-bit (Windows-1251) strings, case-sensitive.
    std::unordered_set<std::string> seen;
    for (int r = 0; r < rows; ++r) {
      if (!counted(r)) continue;
      const TCell* c = Cells.Cell(ACol, r);
      const WideString* t = c->TextRef();
      seen.insert(DgCellText::Narrow(t ? *t : c->AsString()));
    }
    return static_cast<double>(seen.size());
  }
  // The start value is the first counted row's and the average divides by
  // the rows summed: a hidden row 0, or rows that hold no number, would
  // otherwise pull the result toward 0.
  double sum = 0, best = 0;
  int summed = 0;
  for (int r = 0; r < rows; ++r) {
    if (!counted(r)) continue;
    double v;
    try {
      v = Cells.Cell(ACol, r)->AsFloat();
    } catch (const EConvertError&) {
      continue; // a cell that holds no number is left out, not an error for every footer
    }
    if (summed == 0)
      best = v;
    else if (Kind == fkMaximum)
      best = std::max(best, v);
    else if (Kind == fkMinimum)
      best = std::min(best, v);
    sum += v;
    ++summed;
  }
  switch (Kind) {
    case fkAverage: return summed ? sum / summed : 0;
    case fkMaximum:
    case fkMinimum: return best;
    default: return sum; // fkSum
  }
}
