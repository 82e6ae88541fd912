// The recorded-files list (see RecordedListCore.h).
#include "player/RecordedListCore.h"

#include "classlib/Cp1251.h"

namespace {

WideString Ascii(const std::string& Text) { return WideString(Text.begin(), Text.end()); }

} // namespace

TColor RecordedNameColor(const WideString& Name) {
  return Name.empty() || Name[0] <= u'z' ? kRecordedLatinTeal : kRecordedGrey;
}

TRecordedCellColor RecordedCellColor(int ACol, int ARow, int MarkedRow, const WideString& Name) {
  if (ACol == 2) return {true, ARow == MarkedRow ? kRecordedSizeRed : kRecordedSizeBlue};
  if (ARow == MarkedRow) return {};
  if (ACol == 1) return {true, RecordedNameColor(Name)};
  if (ACol == 0) return {true, kRecordedGrey};
  return {};
}

TRecordedList::TRecordedList(TRecordedRows& Rows, const WideString& FileName)
    : rows_(Rows), file_name_(FileName) {}

void TRecordedList::AddRecordedFile(const std::string& Name) {
  changed_by_engine_ = true;
  const int row = rows_.AddRow();
  rows_.SetText(0, row, Ascii(std::to_string(rows_.RowCount())));
  rows_.SetText(1, row, Cp1251ToUtf16(Name));
  rows_.SetText(2, row, u"0.0");
  engine_row_ = rows_.RowKey(row);
  rows_.ShowRow(row);
  SaveRecordedList();
}

int TRecordedList::RowCount() { return rows_.RowCount(); }

int TRecordedList::EngineRow() {
  if (!engine_row_) return -1;
  const int row = rows_.RowOfKey(engine_row_);
  if (row < 0) engine_row_ = nullptr;
  return row;
}

int TRecordedList::MarkedRow() {
  const int row = EngineRow();
  return row >= 0 ? row : rows_.RowCount() - 1;
}

void TRecordedList::SetLastRowSize(const std::string& Text) {
  const int row = EngineRow();
  if (row >= 0) rows_.SetText(2, row, Ascii(Text));
}

void TRecordedList::DeleteLastRow() {
  const int row = EngineRow();
  if (row < 0) return;
  engine_row_ = nullptr;
  rows_.DeleteRow(row);
  SaveRecordedList();
}

void TRecordedList::ClearRows() {
  changed_by_engine_ = true;
  engine_row_ = nullptr;
  rows_.ClearRows();
}

void TRecordedList::Repaint() { rows_.Repaint(); }

void TRecordedList::SaveRecordedList() {
  rows_.SaveText(file_name_, kRecordedListSeparator, kRecordedListDelimiter, kRecordedListEncoding);
}

bool TRecordedList::LoadRecordedList() {
  if (changed_by_engine_) return false;
  try {
    rows_.LoadText(file_name_, kRecordedListSeparator, kRecordedListDelimiter);
  } catch (...) {
    // A list that cannot be read is no reason to bother the person: the
    // window starts empty (or with what the reader kept).
    return false;
  }
  return true;
}

TRecordedCellColor TRecordedList::CellColor(int ACol, int ARow) {
  const int marked = MarkedRow();
  if (ACol != 1 || ARow == marked || ARow < 0 || ARow >= rows_.RowCount())
    return RecordedCellColor(ACol, ARow, marked, WideString());
  return RecordedCellColor(ACol, ARow, marked, rows_.Text(1, ARow));
}
