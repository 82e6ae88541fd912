// TTextFile (see TextFile.h).
#include "classlib/TextFile.h"

#include "classlib/Cp1251.h"

#ifndef _WIN32
#include <cerrno>
#endif

namespace {

constexpr size_t kBufferSize = 65536;

// Pascal's codes for the opening failures, from the system's error.
int OpenErrorCode() {
  int e = GetLastOSError();
#ifdef _WIN32
  return e;
#else
  switch (e) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return 5;
    default: return e;
  }
#endif
}

std::string CodeText(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Path not found";
    case 5: return "Access denied";
    case 100: return "Disk read error";
    case 101: return "Disk write error";
    case 102: return "File not assigned";
    case 103: return "File not open";
    case 104: return "File not open for input";
    case 105: return "File not open for output";
    default: return SysErrorMessage(code);
  }
}

[[noreturn]] void FailFile(int code, const std::string& what, const std::string& name) {
  throw EInOutError(what + ": " + CodeText(code) + " (\"" + name + "\")", code);
}

} // namespace

namespace {

// The file operations by either kind of name, so that one body serves both.
THandle CreateByName(const std::string& n) { return FileCreate(n); }
THandle CreateByName(const std::u16string& n) { return classlib::FileCreateW(n); }
THandle OpenByName(const std::string& n, int mode) { return FileOpen(n, mode); }
THandle OpenByName(const std::u16string& n, int mode) { return classlib::FileOpenW(n, mode); }
bool ReplaceByName(const std::string& a, const std::string& b) {
  return classlib::RenameFileReplacing(a, b);
}
bool ReplaceByName(const std::u16string& a, const std::u16string& b) {
  return classlib::RenameFileReplacingW(a, b);
}
bool DeleteByName(const std::string& n) { return classlib::SysDeleteFile(n); }
bool DeleteByName(const std::u16string& n) { return classlib::SysDeleteFileW(n); }
const std::string& Shown(const std::string& n) { return n; }
std::string Shown(const std::u16string& n) { return Utf16ToCp1251(n); }

template <class Name>
void Replace(const Name& FileName, const Name& Temp, const std::string& Data) {
  THandle h = CreateByName(Temp);
  if (h == classlib::kInvalidFile) FailFile(OpenErrorCode(), "Cannot write file", Shown(FileName));
  const auto size = static_cast<int64_t>(Data.size());
  bool written = (size == 0 || FileWrite(h, Data.data(), size) == size) && FileFlush(h);
  FileClose(h);
  if (!written) {
    DeleteByName(Temp);
    FailFile(101, "Cannot write file", Shown(FileName));
  }
  if (!ReplaceByName(Temp, FileName)) {
    int code = OpenErrorCode();
    DeleteByName(Temp);
    FailFile(code, "Cannot replace file", Shown(FileName));
  }
}

template <class Name>
std::string ReadWhole(const Name& FileName) {
  THandle h = OpenByName(FileName, fmOpenRead | fmShareDenyWrite);
  if (h == classlib::kInvalidFile) FailFile(OpenErrorCode(), "Cannot open file", Shown(FileName));
  std::string data;
  char buf[kBufferSize];
  for (;;) {
    int64_t got = FileRead(h, buf, sizeof buf);
    if (got < 0) {
      FileClose(h);
      FailFile(100, "Cannot read file", Shown(FileName));
    }
    if (got == 0) break;
    data.append(buf, static_cast<size_t>(got));
  }
  FileClose(h);
  return data;
}

} // namespace

void classlib::WriteFileReplacing(const std::string& FileName, const std::string& Data) {
  Replace(FileName, FileName + ".tmp", Data);
}

void classlib::WriteFileReplacing(const std::u16string& FileName, const std::string& Data) {
  Replace(FileName, FileName + u".tmp", Data);
}

std::string classlib::ReadFileBytes(const std::string& FileName) { return ReadWhole(FileName); }

std::string classlib::ReadFileBytes(const std::u16string& FileName) { return ReadWhole(FileName); }

TTextFile::~TTextFile() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (...) {}
  FileClose(handle_);
}

void TTextFile::Fail(int code, const std::string& what) const {
  std::string m = CodeText(code);
  if (!what.empty()) m = what + ": " + m;
  throw EInOutError(m + (name_.empty() ? "" : " (\"" + name_ + "\")"), code);
}

void TTextFile::AssignFile(const std::string& FileName) {
  if (IsOpen()) CloseFile();
  name_ = FileName;
}

void TTextFile::Open(Mode mode, bool append) {
  if (name_.empty()) Fail(102, "");
  if (IsOpen()) CloseFile(); // reopening an open file starts it over
  if (mode == Mode::kInput) {
    handle_ = FileOpen(name_, fmOpenRead | fmShareDenyWrite);
  } else if (append) {
    handle_ = FileOpen(name_, fmOpenWrite);
    if (handle_ != classlib::kInvalidFile && FileSeek(handle_, 0, soEnd) < 0) {
      FileClose(handle_);
      handle_ = classlib::kInvalidFile;
      Fail(101, "Cannot append to file");
    }
  } else {
    handle_ = FileCreate(name_);
  }
  if (handle_ == classlib::kInvalidFile)
    Fail(OpenErrorCode(), mode == Mode::kInput ? "Cannot open file" : "Cannot write file");
  mode_ = mode;
  buf_.clear();
  pos_ = 0;
}

void TTextFile::Reset() { Open(Mode::kInput, false); }
void TTextFile::Rewrite() { Open(Mode::kOutput, false); }
void TTextFile::Append() { Open(Mode::kOutput, true); }

void TTextFile::RequireMode(Mode mode) const {
  if (!IsOpen()) Fail(103, "");
  if (mode != mode_) Fail(mode == Mode::kInput ? 104 : 105, "");
}

bool TTextFile::Fill() {
  if (pos_ < buf_.size()) return true;
  buf_.resize(kBufferSize);
  int64_t n = FileRead(handle_, &buf_[0], static_cast<int64_t>(kBufferSize));
  if (n < 0) {
    buf_.clear();
    pos_ = 0;
    Fail(100, "");
  }
  buf_.resize(static_cast<size_t>(n));
  pos_ = 0;
  return n > 0;
}

std::string TTextFile::ReadLn() {
  RequireMode(Mode::kInput);
  std::string line;
  while (Fill()) {
    size_t start = pos_;
    while (pos_ < buf_.size() && buf_[pos_] != '\r' && buf_[pos_] != '\n') ++pos_;
    line.append(buf_, start, pos_ - start);
    if (pos_ < buf_.size()) {
      // A line end: CR LF, or a lone CR or LF; the LF may sit in the next block.
      bool cr = buf_[pos_++] == '\r';
      if (cr && Fill() && buf_[pos_] == '\n') ++pos_;
      return line;
    }
  }
  return line;
}

bool TTextFile::Eof() {
  RequireMode(Mode::kInput);
  return !Fill();
}

void TTextFile::Write(const std::string& Text) {
  RequireMode(Mode::kOutput);
  buf_ += Text;
  if (buf_.size() >= kBufferSize) Flush();
}

void TTextFile::WriteLn(const std::string& Line) { Write(Line + "\r\n"); }

void TTextFile::Flush() {
  if (mode_ != Mode::kOutput || buf_.empty()) return;
  int64_t n = FileWrite(handle_, buf_.data(), static_cast<int64_t>(buf_.size()));
  bool ok = n == static_cast<int64_t>(buf_.size());
  buf_.clear();
  if (!ok) Fail(101, "");
}

void TTextFile::CloseFile() {
  if (!IsOpen()) Fail(103, "");
  THandle h = handle_;
  try {
    Flush();
  } catch (...) {
    FileClose(h);
    handle_ = classlib::kInvalidFile;
    mode_ = Mode::kClosed;
    throw;
  }
  FileClose(h);
  handle_ = classlib::kInvalidFile;
  mode_ = Mode::kClosed;
  buf_.clear();
  pos_ = 0;
}
