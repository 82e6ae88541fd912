// TStream, TFileStream and TMemoryStream (see Streams.h).
#include "classlib/Streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  char buf[65536];
  int64_t done = 0;
  while (done < Count) {
    int64_t n = std::min<int64_t>(sizeof buf, Count - done);
    Source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    done += n;
  }
  return done;
}

// --- TFileStream ------------------------------------------------------------------

TFileStream::TFileStream(const std::string& FileName, int Mode) : name_(FileName) {
  if (Mode == fmCreate) {
    handle_ = FileCreate(FileName);
    if (handle_ == classlib::kInvalidFile) {
      int code = GetLastOSError();
      throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(code),
                          code);
    }
  } else {
    handle_ = FileOpen(FileName, Mode);
    if (handle_ == classlib::kInvalidFile) {
      int code = GetLastOSError();
      throw EFOpenError("Cannot open file \"" + FileName + "\". " + SysErrorMessage(code), code);
    }
  }
}

TFileStream::~TFileStream() { FileClose(handle_); }

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  int64_t n = FileRead(handle_, Buffer, Count);
  return n < 0 ? 0 : n;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t n = FileWrite(handle_, Buffer, Count);
  return n < 0 ? 0 : n;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  return FileSeek(handle_, Offset, Origin);
}

void TFileStream::SetSize(int64_t NewSize) {
  int64_t pos = Position();
  Seek(NewSize, soBeginning);
  if (!FileTruncate(handle_)) throw EWriteError("Stream write error");
  if (pos < NewSize) Seek(pos, soBeginning);
}

// --- TMemoryStream ------------------------------------------------------------------

TMemoryStream::~TMemoryStream() { std::free(data_); }

void TMemoryStream::Reserve(int64_t capacity) {
  if (capacity <= capacity_) return;
  int64_t cap = std::max<int64_t>(capacity, capacity_ + capacity_ / 2 + 8192);
  void* p = std::realloc(data_, static_cast<size_t>(cap));
  if (!p) throw EStreamError("Out of memory while expanding memory stream");
  data_ = static_cast<char*>(p);
  capacity_ = cap;
}

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0 || pos_ >= size_) return 0;
  int64_t n = std::min(Count, size_ - pos_);
  std::memcpy(Buffer, data_ + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0 || pos_ < 0) return 0;
  int64_t end = pos_ + Count;
  Reserve(end);
  if (pos_ > size_) std::memset(data_ + size_, 0, static_cast<size_t>(pos_ - size_));
  std::memcpy(data_ + pos_, Buffer, static_cast<size_t>(Count));
  pos_ = end;
  size_ = std::max(size_, end);
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? pos_ : size_;
  pos_ = std::max<int64_t>(0, base + Offset);
  return pos_;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  Reserve(NewSize);
  if (NewSize > size_) std::memset(data_ + size_, 0, static_cast<size_t>(NewSize - size_));
  size_ = NewSize;
  if (pos_ > size_) pos_ = size_;
}

void TMemoryStream::Clear() {
  std::free(data_);
  data_ = nullptr;
  size_ = capacity_ = pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  int64_t n = Stream.Size();
  SetSize(n);
  if (n) Stream.ReadBuffer(data_, n);
  pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& Stream) {
  if (size_) Stream.WriteBuffer(data_, size_);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(f);
}
