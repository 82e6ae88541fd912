// TFile: a binary file seen through one 256 KiB window held in the object.
//
// The companion never holds a recording in memory: every file it reads or
// writes goes through this window, which is moved (written back whole, then
// refilled) only when an access leaves it. Reads past the end are clamped to
// the last byte; writes never leave a gap. Sizes are 32-bit (files up to
// 4 GiB - 1). Every failure of the underlying file raises EInOutError.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "converter/FileSystem.h"

enum class TFileCreation {
  Truncate, // create, or truncate an existing file
  Exclusive // create a file that must not exist yet
};

class TFile {
 public:
  static constexpr uint32_t WindowSize = 0x40000;

  // Opens an existing file for reading and writing and loads the first window.
  explicit TFile(const std::string& fileName);
  // Creates (or truncates) the file: empty, window at 0.
  TFile(const std::string& fileName, TFileCreation how);
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;
  // Writes the window back and closes; a failure there is swallowed, so code
  // that must know calls Close first.
  virtual ~TFile();

  // Writes the window back and closes the file, raising on failure.
  void Close();

  // Copies up to `count` bytes to `dest`; returns how many were copied.
  uint32_t Read(void* dest, uint32_t count);
  void Write(const void* source, uint32_t count);
  // `count` single-byte reads, each byte one character.
  std::string ReadString(uint32_t count);
  // The first `count` characters of `text`, one byte per write.
  void WriteString(const std::string& text, uint32_t count);
  // Empties the file; the window's content is dropped, not written.
  void Clear();

  uint32_t Position() const { return position_; }
  void SetPosition(uint32_t p) { position_ = p; }
  uint32_t Size() const { return size_; }
  uint32_t BufStart() const { return buf_start_; }
  uint32_t BufLen() const { return buf_len_; }
  const std::string& FileName() const { return file_name_; }

 private:
  void MoveWindowFor(uint32_t count);
  void WriteWindowBack();
  uint32_t ReadPiece(uint8_t* dest, uint32_t count);
  void WritePiece(const uint8_t* src, uint32_t count);

  TFileHandle file_;
  std::string file_name_;
  std::unique_ptr<uint8_t[]> buffer_{new uint8_t[WindowSize]};
  uint32_t buf_start_ = 0;
  uint32_t buf_len_ = 0;
  uint32_t position_ = 0;
  uint32_t size_ = 0;
};

// Base of the audio file formats; adds nothing to the file window.
class TAudioFile : public TFile {
 public:
  using TFile::TFile;
};
