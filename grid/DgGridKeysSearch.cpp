// The grid's incremental search (see DgGridKeysSearch.h).
#include "grid/DgGridKeysSearch.h"

#include "grid/DgCellClasses.h"

bool TDgIncrementalSearch::BeginsWith(const WideString& Text, const WideString& Prefix) {
  if (Prefix.size() > Text.size()) return false;
  return DgCellText::Fold(Text.substr(0, Prefix.size())) == DgCellText::Fold(Prefix);
}

int TDgIncrementalSearch::Find(int RowCount, int From, const std::function<bool(int)>& Visible,
                               const std::function<WideString(int)>& RowText) const {
  if (text_.empty() || RowCount <= 0) return -1;
  if (From < -1 || From >= RowCount) From = -1;
  // After From to the end, then from the top up to From itself.
  for (int step = 1; step <= RowCount; ++step) {
    const int row = (From + step) % RowCount;
    if (Visible(row) && BeginsWith(RowText(row), text_)) return row;
  }
  return -1;
}
