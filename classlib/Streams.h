// Byte streams: TStream, TFileStream (a file on disk) and TMemoryStream (a
// growable block of memory, also what a recording is collected in).
//
// Stream failures are EInOutError subclasses, so one handler covers every
// file failure of the library.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/Component.h"
#include "classlib/SysUtils.h"

class EStreamError : public EInOutError {
 public:
  explicit EStreamError(std::string m, int code = 0) : EInOutError(std::move(m), code) {}
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class TStream : public TObject {
 public:
  // Read/Write move what they can and return the byte count.
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual void SetSize(int64_t NewSize) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  virtual int64_t Size();
  // All or nothing: raise EReadError / EWriteError on a short transfer.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies Count bytes from Source (all of it from its start when 0).
  int64_t CopyFrom(TStream& Source, int64_t Count);
};

enum : int { fmCreate = 0xFF00 };

class TFileStream : public TStream {
 public:
  // Mode: fmCreate, or fmOpenRead / fmOpenWrite / fmOpenReadWrite with share
  // flags. Raises EFCreateError / EFOpenError naming the file and the reason.
  TFileStream(const std::string& FileName, int Mode);
  ~TFileStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  const std::string& FileName() const { return name_; }
  THandle Handle() const { return handle_; }

 private:
  std::string name_;
  THandle handle_ = classlib::kInvalidFile;
};

class TMemoryStream : public TStream {
 public:
  ~TMemoryStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  int64_t Size() override { return size_; }
  void* Memory() const { return data_; }
  void Clear();
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const std::string& FileName);
  void SaveToStream(TStream& Stream);
  void SaveToFile(const std::string& FileName);

 private:
  void Reserve(int64_t capacity);
  char* data_ = nullptr;
  int64_t size_ = 0, capacity_ = 0, pos_ = 0;
};
