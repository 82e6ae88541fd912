// Pascal-style text files: assign a name, open for reading (Reset), writing
// (Rewrite) or appending (Append), read and write CR LF lines, test for the
// end, close. Every failed operation raises EInOutError with the file name and
// a code: the system's for opening (2 not found, 3 path not found, 5 access
// denied), 100 read error, 101 write error, 102 no name assigned, 103 not
// open, 104 not open for input, 105 not open for output.
#pragma once

#include <string>

#include "classlib/SysUtils.h"

class TTextFile {
 public:
  TTextFile() = default;
  explicit TTextFile(const std::string& FileName) : name_(FileName) {}
  // Closes without raising; an unflushed write that fails here is lost, so
  // writers call CloseFile themselves.
  ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  void AssignFile(const std::string& FileName);
  void Reset();
  void Rewrite();
  void Append();
  // Reads up to the next CR LF, LF or CR; at the end gives "".
  std::string ReadLn();
  void ReadLn(std::string& Line) { Line = ReadLn(); }
  void Write(const std::string& Text);
  void WriteLn(const std::string& Line = std::string());
  bool Eof();
  // Writes what is buffered and closes; raises when that fails or the file
  // is not open.
  void CloseFile();

  bool IsOpen() const { return handle_ != classlib::kInvalidFile; }
  const std::string& FileName() const { return name_; }

 private:
  enum class Mode { kClosed, kInput, kOutput };
  void Open(Mode mode, bool append);
  [[noreturn]] void Fail(int code, const std::string& what) const;
  void RequireMode(Mode mode) const;
  bool Fill(); // false at the end of the file
  void Flush();

  std::string name_;
  THandle handle_ = classlib::kInvalidFile;
  Mode mode_ = Mode::kClosed;
  std::string buf_;
  size_t pos_ = 0;
};

// The same operations as free functions, for code that reads like the
// original units (AssignFile(F, Name); Reset(F); ReadLn(F, S); ...).
inline void AssignFile(TTextFile& F, const std::string& FileName) { F.AssignFile(FileName); }
inline void Reset(TTextFile& F) { F.Reset(); }
inline void Rewrite(TTextFile& F) { F.Rewrite(); }
inline void Append(TTextFile& F) { F.Append(); }
inline void ReadLn(TTextFile& F, std::string& Line) { F.ReadLn(Line); }
inline void WriteLn(TTextFile& F, const std::string& Line = std::string()) { F.WriteLn(Line); }
inline void Write(TTextFile& F, const std::string& Text) { F.Write(Text); }
inline bool Eof(TTextFile& F) { return F.Eof(); }
inline void CloseFile(TTextFile& F) { F.CloseFile(); }

namespace classlib {

// Replaces the file's whole content so that a failure at any point (disk
// full, read-only file, folder gone) leaves the previous file as it was: the
// data go to FileName + ".tmp" beside it, are flushed to the disk, and only
// then take the old file's place. Raises EInOutError (with the file name and
// the system's code, or 101 for a write that did not complete) and removes
// the partial file.
void WriteFileReplacing(const std::string& FileName, const std::string& Data);
void WriteFileReplacing(const std::u16string& FileName, const std::string& Data);

// The whole content of a file; raises EInOutError (the system's code, or
// 100 for a read that failed) when it cannot be opened or read.
std::string ReadFileBytes(const std::string& FileName);
std::string ReadFileBytes(const std::u16string& FileName);

} // namespace classlib
