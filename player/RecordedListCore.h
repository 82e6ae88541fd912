// The rules of the recorded-files window, apart from the window: one row per
// file of the current recording ("№", name, size), the row the recording
// engine is filling, the colours of the cells and the list file that keeps
// the rows across runs.
//
// The engine speaks of "the last row" (its newest file). The person may sort
// the rows by a header click while a recording runs, after which the last
// row is some other file's. So the list keeps the engine's row by identity:
// size updates and the drop of a file too small to keep go to that row
// wherever it stands, an update for a row that is gone (the rows were
// cleared or replaced) is dropped, and the red size marks that row.
//
// Everything here runs on the GUI thread (the engine's calls arrive through
// its queue, see RecordedFilesCore.h).
#pragma once

#include <cstdint>
#include <string>

#include "classlib/DrawTypes.h"
#include "grid/DgTypes.h"
#include "player/RecordedFilesCore.h"

// What the list needs of its grid. Rows are 0-based, columns 0 "№",
// 1 "Композиция", 2 "Размер".
class TRecordedRows {
 public:
  virtual ~TRecordedRows() = default;
  virtual int RowCount() = 0;
  // Appends one row; its index.
  virtual int AddRow() = 0;
  virtual WideString Text(int Col, int Row) = 0;
  virtual void SetText(int Col, int Row, const WideString& Value) = 0;
  virtual void DeleteRow(int Row) = 0;
  virtual void ClearRows() = 0;
  // Something that stays with the row while rows are sorted or moved, as
  // long as the row exists (the list never asks about a row it has seen go).
  virtual const void* RowKey(int Row) = 0;
  virtual int RowOfKey(const void* Key) = 0;
  // Scrolls Row into view and makes it the one selected row.
  virtual void ShowRow(int Row) = 0;
  virtual void Repaint() = 0;
  // The rows as the grid's separated text file (grid/DgTextFile.h); both
  // raise on failure, and a load replaces the rows only once the whole file
  // has been read.
  virtual void SaveText(const WideString& FileName, char16_t Separator, char16_t Delimiter,
                        uint8_t Encoding) = 0;
  virtual void LoadText(const WideString& FileName, char16_t Separator, char16_t Delimiter) = 0;
};

// The list file's format: fields split by ",", a line break inside a field
// written as "|", UTF-16 low byte first with its byte-order mark.
constexpr char16_t kRecordedListSeparator = u',';
constexpr char16_t kRecordedListDelimiter = u'|';
constexpr uint8_t kRecordedListEncoding = 1;

// The text colour of one cell, or keep the colour the grid gives it.
struct TRecordedCellColor {
  bool Change = false;
  TColor Color = clBlack;
};

constexpr TColor kRecordedSizeRed = 0x0000FF;   // RGB(255,0,0)
constexpr TColor kRecordedSizeBlue = 0xFF0000;  // RGB(0,0,255)
constexpr TColor kRecordedLatinTeal = 0x808000; // RGB(0,128,128)
constexpr TColor kRecordedGrey = 0x808080;      // RGB(128,128,128)

// A name that starts with a character up to "z" (Latin letters, digits,
// punctuation) is teal, any other grey. The first UTF-16 unit decides, so a
// Cyrillic name is grey whatever the system's code page. An empty name counts
// as Latin, as the recording engine files such a name under the foreign folder.
TColor RecordedNameColor(const WideString& Name);

// The colour rule: the size of the marked row (the file being recorded) red,
// every other size blue; in every other row the name teal or grey by its
// first character and the number grey. The marked row's number and name keep
// the column fonts.
TRecordedCellColor RecordedCellColor(int ACol, int ARow, int MarkedRow, const WideString& Name);

// The window gives the caption and the total label (SetCaption, SetTotal).
class TRecordedList : public TRecordedFilesView {
 public:
  // FileName: the list file (UTF-16 name).
  TRecordedList(TRecordedRows& Rows, const WideString& FileName);

  // --- The engine's calls ---------------------------------------------------
  // A new row: its number (the row count), the name (Windows-1251), "0.0";
  // it is scrolled to, made the selected row and the list is saved.
  void AddRecordedFile(const std::string& Name) override;
  int RowCount() override;
  // The size of the engine's row, wherever a sort has put it.
  void SetLastRowSize(const std::string& Text) override;
  // The engine's row goes and the list is saved, so the file never names a
  // recording that was not kept.
  void DeleteLastRow() override;
  void ClearRows() override;
  void Repaint() override;

  // Saves every row. A failure raises (the class library reports it).
  void SaveRecordedList();
  // Loads the rows kept by an earlier run, unless the engine has already
  // changed the rows (its rows are newer than the file's and the file was
  // saved with them). Any failure, a missing file included, leaves the rows
  // as they are. True when the rows were replaced.
  bool LoadRecordedList();

  // The engine's row; -1 when it has none (then the last row is marked).
  int EngineRow();
  // The row whose size is red: the engine's, else the last one (-1: none).
  int MarkedRow();
  TRecordedCellColor CellColor(int ACol, int ARow);

 private:
  TRecordedRows& rows_;
  WideString file_name_;
  const void* engine_row_ = nullptr; // null: none
  bool changed_by_engine_ = false;
};
