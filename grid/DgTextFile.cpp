// Separated text files of a grid's rows (see DgTextFile.h).
#include "grid/DgTextFile.h"

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"
#include "classlib/TextFile.h"

namespace {

constexpr char16_t kQuote = u'"', kCR = u'\r', kLF = u'\n';

// The separator and the delimiter must not be taken for each other, for the
// quote or for a line end, or no file could be read back.
void CheckMarks(char16_t Separator, char16_t Delimiter) {
  for (char16_t c : {Separator, Delimiter})
    if (c == kQuote || c == kCR || c == kLF)
      throw EConvertError("A text file's separator or delimiter cannot be a quote or a line end");
  if (Separator == Delimiter)
    throw EConvertError("A text file's separator and delimiter must differ");
}

void AppendField(WideString& out, const WideString& text, char16_t Separator, char16_t Delimiter) {
  bool quoted = text.find(Separator) != WideString::npos || text.find(kQuote) != WideString::npos;
  if (quoted) out += kQuote;
  for (char16_t c : text) {
    if (c == kQuote) {
      out += kQuote;
      out += kQuote;
    } else if (c == kCR) {
      out += Delimiter;
    } else if (c != kLF) {
      out += c;
    }
  }
  if (quoted) out += kQuote;
}

} // namespace

std::string GridTextBytes(TDgTextFileGrid& Grid, char16_t Separator, char16_t Delimiter,
                          int Encoding) {
  // An encoding that writes nothing would leave its caller believing the
  // rows were kept: it is an error instead.
  if (Encoding < 0 || Encoding > 2)
    throw EConvertError(Format("Text file encoding %d is not known", {Encoding}));
  CheckMarks(Separator, Delimiter);
  int rows = Grid.RowCount(), cols = Grid.ColumnCount();
  WideString text;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      AppendField(text, Grid.GetCells(c, r), Separator, Delimiter);
      if (c + 1 < cols) text += Separator;
    }
    // A grid without columns still ends each row in the 8-bit file, and
    // writes nothing per row in the 16-bit ones.
    if (cols > 0 || Encoding == 0) text += u"\r\n";
  }
  std::string out;
  if (Encoding == 0) {
    // A "?" in place of a letter would lose a file's name for good.
    bool lossless = true;
    out = Utf16ToCp1251(text, &lossless);
    if (!lossless) throw EConvertError("The rows hold text that Windows-1251 cannot write");
    return out;
  }
  out.reserve(2 * text.size() + 2);
  bool low_first = Encoding == 1;
  auto put = [&](char16_t u) {
    char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    if (low_first) {
      out += lo;
      out += hi;
    } else {
      out += hi;
      out += lo;
    }
  };
  put(0xFEFF);
  for (char16_t u : text) put(u);
  return out;
}

TDgTextRecords ParseGridText(const std::string& Bytes, char16_t Separator, char16_t Delimiter) {
  CheckMarks(Separator, Delimiter);
  TDgTextRecords result;
  auto byte = [&](size_t i) { return static_cast<unsigned char>(Bytes[i]); };
  int wide = 0; // 0 bytes, 1 low byte first, 2 high byte first
  size_t pos = 0;
  if (Bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE)
    wide = 1;
  else if (Bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
    wide = 2;
  if (wide) pos = 2;
  // A trailing odd byte of a 16-bit file is not read.
  size_t end = wide ? pos + (Bytes.size() - pos) / 2 * 2 : Bytes.size();

  WideString field;
  int quotes = 0;
  bool pending = true; // the next field starts a new record
  auto field_end = [&](bool line_end) {
    quotes = 0;
    if (pending) {
      pending = false;
      result.Records.emplace_back();
    }
    result.Records.back().push_back(std::move(field));
    field.clear();
    if (line_end) pending = true;
  };
  while (pos < end) {
    char16_t ch;
    if (wide == 0) {
      // The bytes are Windows-1251, as encoding 0 writes them: a byte taken
      // as the character of its value would turn Cyrillic into other letters.
      ch = Cp1251ToUnicode(byte(pos++));
    } else {
      unsigned a = byte(pos), b = byte(pos + 1);
      pos += 2;
      ch = static_cast<char16_t>(wide == 1 ? a | (b << 8) : (a << 8) | b);
    }
    if (ch == Separator) {
      if (quotes % 2 == 1)
        field += ch;
      else
        field_end(false);
    } else if (ch == Delimiter) {
      field += u"\r\n";
    } else if (ch == kQuote) {
      ++quotes;
      if ((quotes % 2 == 1 && !field.empty()) || quotes == 3) field += kQuote;
    } else if (ch == kCR) {
      // line ends are read at the LF
    } else if (ch == kLF) {
      field_end(true);
    } else {
      field += ch;
    }
  }
  if (!field.empty()) {
    field_end(false);
    result.LastFieldSilent = true;
  }
  return result;
}

void StoreGridRecords(TDgTextFileGrid& Grid, const TDgTextRecords& Records) {
  const auto& recs = Records.Records;
  Grid.ClearRows();
  // Each record is a row of its own, added and filled as a user would see
  // it done (OnDataChange per row, OnChange per cell); the grid holds only
  // what it counts over all its rows until the last field is in.
  Grid.BeginLoad();
  try {
    for (size_t i = 0; i < recs.size(); ++i) {
      const int r = Grid.AddRow(1);
      for (size_t c = 0; c < recs[i].size(); ++c) {
        // A field past the grid's columns raises here: the rows and cells
        // stored so far stay.
        Grid.SetCells(static_cast<int>(c), r, recs[i][c]);
        const bool last = i + 1 == recs.size() && c + 1 == recs[i].size();
        if (!(last && Records.LastFieldSilent)) Grid.LoadProgress(static_cast<int>(c), r);
      }
    }
  } catch (...) {
    Grid.EndLoad();
    throw;
  }
  Grid.EndLoad();
}

void SaveToTextFile(TDgTextFileGrid& Grid, const WideString& FileName, char16_t Separator,
                    char16_t Delimiter, uint8_t Encoding) {
  std::string bytes = GridTextBytes(Grid, Separator, Delimiter, Encoding);
  // Written beside the old file, which it replaces only when complete: a
  // full disk or a refused write leaves the old list readable.
  classlib::WriteFileReplacing(FileName, bytes);
}

void LoadFromTextFile(TDgTextFileGrid& Grid, const WideString& FileName, char16_t Separator,
                      char16_t Delimiter) {
  CheckMarks(Separator, Delimiter);
  // Read and parsed whole before the rows go: a file that cannot be read
  // leaves the grid as it was, not empty.
  TDgTextRecords records = ParseGridText(classlib::ReadFileBytes(FileName), Separator, Delimiter);
  StoreGridRecords(Grid, records);
}
