// Footer formulas over a cell store (see DgFooterValue.h).
#include "grid/DgFooterValue.h"

#include <algorithm>
#include <unordered_set>

#include "classlib/SysUtils.h"
#include "grid/DgCells.h"

double DgFooterValue(TCells& Cells, int ACol, TFormulaKind Kind, bool VisibleOnly) {
  if (Kind == fkNone || Kind == fkCustom || ACol < 0 || ACol >= Cells.ColumnCount()) return 0;
  int rows = Cells.RowCount();
  auto counted = [&](int r) { return !VisibleOnly || Cells.Row(r)->Drawn(); };
  if (Kind == fkCount) {
    if (!VisibleOnly) return rows;
    return Cells.VisibleCount();
  }
  if (Kind == fkDistinct) {
    std::unordered_set<WideString> seen;
    for (int r = 0; r < rows; ++r) {
      if (!counted(r)) continue;
      const TCell* c = Cells.Cell(ACol, r);
      const WideString* t = c->TextRef();
      seen.insert(t ? *t : c->AsString());
    }
    return static_cast<double>(seen.size());
  }
  double sum = 0, best = 0;
  int summed = 0;
  for (int r = 0; r < rows; ++r) {
    if (!counted(r)) continue;
    double v;
    try {
      v = Cells.Cell(ACol, r)->AsFloat();
    } catch (const EConvertError&) {
      continue; // a cell that holds no number
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
