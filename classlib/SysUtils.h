// Exceptions, text and number conversion, Format, dates, and file-system
// helpers of the class library.
//
// All strings are Windows-1251. File names are 1251 too: on Windows they go
// through the wide API (so Cyrillic folders work whatever the ANSI code page);
// elsewhere the bytes are the POSIX path, with '\' read as '/', so portable
// code that builds Windows-style paths also runs in the native tests.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

// --- Exceptions -------------------------------------------------------------

// Root of the class library's failures: a message for the error box.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(const std::string& m) { message_ = m; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A text that is not a number, or a Format that does not fit its arguments.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A failed file operation; ErrorCode is the system's (or the text-file) code.
class EInOutError : public Exception {
 public:
  EInOutError(std::string message, int code) : Exception(std::move(message)), ErrorCode(code) {}
  int ErrorCode = 0;
};

// Misuse of a list or collection (an index out of range and the like).
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// A component name that is invalid or taken.
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// Resource exhaustion in the Windows shell (a window, DC or bitmap refused).
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// A control asked for something it can't do: a window without a parent
// window, a property value out of its range or against another property.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// A value outside the range its type holds ("Range check error").
class ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
};

// A silent exception: the application's handler shows nothing for it.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};
[[noreturn]] void Abort();

// --- Numbers and text ---------------------------------------------------------

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);
// Decimal, optional sign, surrounding blanks allowed, "$" or "0x" for hex;
// anything else raises EConvertError naming the text.
int StrToInt(const std::string& s);
int64_t StrToInt64(const std::string& s);
int StrToIntDef(const std::string& s, int def);
bool TryStrToInt(const std::string& s, int& value);
// Shortest text that reads back as the same value (up to 15 digits).
std::string FloatToStr(double value);
double StrToFloat(const std::string& s);
bool TryStrToFloat(const std::string& s, double& value);

// The character between the integer and fractional parts in Format and
// FloatToStr; StrToFloat accepts both '.' and ','.
extern char DecimalSeparator;

// One argument of Format.
struct TVarRec {
  enum class Kind { kInt, kFloat, kString } kind;
  int64_t i = 0;
  double d = 0;
  std::string s;
  TVarRec(int v) : kind(Kind::kInt), i(v) {}
  TVarRec(long v) : kind(Kind::kInt), i(v) {}
  TVarRec(long long v) : kind(Kind::kInt), i(v) {}
  TVarRec(unsigned v) : kind(Kind::kInt), i(v) {}
  TVarRec(unsigned long v) : kind(Kind::kInt), i(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long long v) : kind(Kind::kInt), i(static_cast<int64_t>(v)) {}
  TVarRec(double v) : kind(Kind::kFloat), d(v) {}
  TVarRec(const char* v) : kind(Kind::kString), s(v ? v : "") {}
  TVarRec(std::string v) : kind(Kind::kString), s(std::move(v)) {}
};

// "%[-][width][.prec]type" with d u x s f e g n and "%%"; %f and %n default to
// two decimals. A wrong type or a missing argument raises EConvertError.
std::string Format(const std::string& fmt, std::initializer_list<TVarRec> args);
std::string Format(const std::string& fmt, const std::vector<TVarRec>& args);

std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
// Letter case by the Windows-1251 rules (Cyrillic included).
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);
// Latin letters only, as the plain functions of the library do.
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);
int AnsiCompareText(const std::string& a, const std::string& b);
namespace classlib {
std::string StringReplaceAll(const std::string& s, const std::string& from, const std::string& to);
} // namespace classlib
// 1-based position of `sub` in `s`, 0 when absent.
int Pos(const std::string& sub, const std::string& s);
// Whether `Key` is the accelerator of `Caption`: the character after its
// first single "&" ("&&" stands for an "&" of the text), letter case aside
// by the Windows-1251 rules, so "&Да" answers to "д" and "Д" alike.
bool IsAccel(char Key, const std::string& Caption);

// --- Dates ----------------------------------------------------------------------

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

TDateTime Now();
TDateTime Date();
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeDate(TDateTime t, int& year, int& month, int& day);
void DecodeTime(TDateTime t, int& hour, int& min, int& sec, int& msec);
// Tokens: yyyy yy m mm d dd h hh n nn s ss z zzz; quoted text is literal,
// everything else is copied ("hh-nn-ss", "dd-mm-yyyy").
std::string FormatDateTime(const std::string& fmt, TDateTime t);

// Dates and times as text, by the format settings below (the program's
// locale; tests set them). DateTimeToStr leaves out a midnight time.
extern std::string ShortDateFormat; // "dd.mm.yyyy": the order of d, m and y is read from it
extern std::string LongTimeFormat;  // "hh:nn:ss"
std::string DateToStr(TDateTime t);
std::string TimeToStr(TDateTime t);
std::string DateTimeToStr(TDateTime t);
// A date ("31.12.2026", by ShortDateFormat's order and separator), a time
// ("23:59[:59[.999]]") or a date, blanks and a time; a two-digit year is
// 1950..2049.
bool TryStrToDateTime(const std::string& s, TDateTime& value);
// As TryStrToDateTime; raises EConvertError naming the text.
TDateTime StrToDateTime(const std::string& s);

// --- File names -----------------------------------------------------------------

// The separator this platform writes; both '\' and '/' are read as one.
extern const char PathDelim;
bool IsPathDelimiter(char c);
std::string ExtractFilePath(const std::string& name); // up to and with the last separator
std::string ExtractFileDir(const std::string& name);  // without the last separator
std::string ExtractFileName(const std::string& name);
std::string ExtractFileExt(const std::string& name); // with its dot, "" when none
std::string ChangeFileExt(const std::string& name, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);

// --- Files and folders ------------------------------------------------------------

bool FileExists(const std::string& name);
bool DirectoryExists(const std::string& name);
bool CreateDir(const std::string& name);
bool RemoveDir(const std::string& name);
// Creates every missing folder of the path; false when one can't be made.
bool ForceDirectories(const std::string& path);
namespace classlib {
bool SysDeleteFile(const std::string& name);
} // namespace classlib
inline bool DeleteFile(const std::string& name) { return classlib::SysDeleteFile(name); }
bool RenameFile(const std::string& from, const std::string& to);
namespace classlib {
// Moves `from` onto `to` in one step, replacing an existing `to` (never left
// half-written). A read-only `to` is refused, as Windows does.
bool RenameFileReplacing(const std::string& from, const std::string& to);
} // namespace classlib
// Size in bytes, -1 when the file can't be examined.
int64_t FileSize(const std::string& name);
// Attributes of a file or folder (fa* bits), -1 when it can't be examined.
// Natively only read-only and folder are known; hidden and system read as
// clear and are ignored when set.
int FileGetAttr(const std::string& name);
// Sets the attributes to exactly `attr` (fa* bits other than faDirectory).
bool FileSetAttr(const std::string& name, int attr);
// The folder for scratch files, with a trailing separator: the one the
// environment variable TEMP names, else the system's default. A path with
// characters outside Windows-1251 comes back in its short form, which still
// names the folder.
std::string GetTempDir();
std::string GetCurrentDir();
// ParamStr(0) is the full name of the running program file.
std::string ParamStr(int index);
int ParamCount();

// Directory listing with a "*"/"?" mask on the name part of `pattern`.
enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faDirectory = 0x10,
  faArchive = 0x20,
  faAnyFile = 0x3F
};
struct TSearchRec {
  std::string Name;
  int64_t Size = 0;
  int Attr = 0;
  TDateTime Time = 0;
  // Filled by FindFirst; the remaining entries.
  std::vector<TSearchRec> pending_;
};
// 0 when an entry was found, else non-zero. Attr filters as the library does:
// hidden, system and directory entries only when asked for.
int FindFirst(const std::string& pattern, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);
// True when `name` matches a mask of '*' and '?' (case-insensitive, 1251).
bool MatchesMask(const std::string& name, const std::string& mask);

// --- Low-level file handles (used by the streams and text files) -----------------

using THandle = intptr_t;
namespace classlib {
constexpr THandle kInvalidFile = -1;
} // namespace classlib
enum : int {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareDenyWrite = 0x0020,
  fmShareDenyNone = 0x0040
};
enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
THandle FileOpen(const std::string& name, int mode);
THandle FileCreate(const std::string& name);
int64_t FileRead(THandle h, void* buffer, int64_t count);
int64_t FileWrite(THandle h, const void* buffer, int64_t count);
int64_t FileSeek(THandle h, int64_t offset, TSeekOrigin origin);
bool FileTruncate(THandle h); // cuts the file at the current position
// Hands what was written to the disk; false when the system could not.
bool FileFlush(THandle h);
void FileClose(THandle h);
namespace classlib {
// The same for a name held as UTF-16, so that a file whose name has
// characters outside Windows-1251 is still reached (UTF-8 paths natively).
THandle FileOpenW(const std::u16string& name, int mode);
THandle FileCreateW(const std::u16string& name);
bool RenameFileReplacingW(const std::u16string& from, const std::u16string& to);
bool SysDeleteFileW(const std::u16string& name);
} // namespace classlib
// The last system error of the calling thread and its text.
int GetLastOSError();
std::string SysErrorMessage(int code);
