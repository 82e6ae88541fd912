// The grid's incremental search: typed characters gather into a search text
// that a pause of 700 ms clears; each gathered text finds the next row whose
// text in the search column begins with it, letter case aside.
#pragma once

#include <functional>

#include "grid/DgTypes.h"

class TDgIncrementalSearch {
 public:
  static constexpr int PauseMs = 700;

  const WideString& Text() const { return text_; }
  void Append(char16_t Key) { text_ += Key; }
  void Clear() { text_.clear(); }

  // The first row after From, then from 0 up to From, that Visible accepts
  // and whose RowText begins with the search text; -1 when none does.
  int Find(int RowCount, int From, const std::function<bool(int)>& Visible,
           const std::function<WideString(int)>& RowText) const;

  // Text begins with Prefix, letter case aside (UTF-16).
  static bool BeginsWith(const WideString& Text, const WideString& Prefix);

 private:
  WideString text_;
};
