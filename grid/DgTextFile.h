// A grid's rows as a separated text file: one record per row, one field per
// column, fields split by a separator, records ended by CR LF, a field quoted
// when it holds the separator or a quote (quotes doubled), a CR inside a
// field written as the delimiter character, which reads back as CR LF.
//
// Encodings: 0 Windows-1251 bytes, 1 UTF-16 low byte first (FF FE), 2 UTF-16
// high byte first (FE FF). A file is read by its byte-order mark; without one
// as Windows-1251.
//
// Both operations work through TDgTextFileGrid only, so any grid class (and
// a test's fake) can be saved and loaded. Neither loses data on failure: the
// file is read and parsed whole before the rows are replaced, and the new
// file is written beside the old one, which it replaces only when complete.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "grid/DgTypes.h"

class TDgTextFileGrid {
 public:
  virtual ~TDgTextFileGrid() = default;
  virtual void ClearRows() = 0;
  // Appends Count rows; the index of the last one.
  virtual int AddRow(int Count) = 0;
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  virtual WideString GetCells(int ACol, int ARow) = 0;
  // Raises for a place outside the grid.
  virtual void SetCells(int ACol, int ARow, const WideString& Value) = 0;
  // Around the rows a load adds one by one: what the grid counts over all
  // its rows (the footers) may wait for EndLoad.
  virtual void BeginLoad() {}
  virtual void EndLoad() {}
  // A field has been stored (the grid raises its OnLoadProgress).
  virtual void LoadProgress(int ACol, int ARow) {}
};

// The fields of a file's records in order; Silent is set when the file's
// last field ended with the file, not with a separator or line end.
struct TDgTextRecords {
  std::vector<std::vector<WideString>> Records;
  bool LastFieldSilent = false;
};

// The file's bytes for the grid's rows. Raises EConvertError for an encoding
// above 2, for a separator or delimiter that is CR, LF, the quote or the
// other one, and (encoding 0) for text that Windows-1251 lacks.
std::string GridTextBytes(TDgTextFileGrid& Grid, char16_t Separator, char16_t Delimiter,
                          int Encoding);
// The records of a file's bytes.
TDgTextRecords ParseGridText(const std::string& Bytes, char16_t Separator, char16_t Delimiter);
// Replaces the grid's rows by the records, adding one row per record.
// A record with more fields than the grid has columns stops there, with the
// rows and cells stored so far kept, and raises the grid's error.
void StoreGridRecords(TDgTextFileGrid& Grid, const TDgTextRecords& Records);

void SaveToTextFile(TDgTextFileGrid& Grid, const WideString& FileName, char16_t Separator,
                    char16_t Delimiter, uint8_t Encoding);
void LoadFromTextFile(TDgTextFileGrid& Grid, const WideString& FileName, char16_t Separator,
                      char16_t Delimiter);
