// The value a column's footer formula shows, over a cell store's rows.
#pragma once

#include "grid/DgColumnParts.h"

class TCells;

// Rows that are not drawn are left out when VisibleOnly. A cell that holds
// no number is left out of the sum, the average and the extremes; the
// average divides by the rows summed, and is 0 when none is; the extremes
// start from the first row counted. Distinct compares the cells' texts
// exactly (letter case counts). Count is the number of rows counted.
// fkNone and fkCustom give 0 (the grid asks its handler for a custom one).
double DgFooterValue(TCells& Cells, int ACol, TFormulaKind Kind, bool VisibleOnly);
