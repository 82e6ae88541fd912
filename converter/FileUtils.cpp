// The windowed binary file (see FileUtils.h).
#include "converter/FileUtils.h"

#include <algorithm>
#include <cstring>

#include "classlib/SysUtils.h"

TFile::TFile(const std::string& fileName) : file_name_(fileName) {
  file_.Open(fileName, TOpenMode::Existing);
  // The size must fit the 32-bit bookkeeping; a bigger file is refused rather
  // than silently wrapped.
  uint64_t total = file_.Length();
  if (total > 0xFFFFFFFFull) throw EInOutError("File larger than 4 GiB: \"" + fileName + "\"", 100);
  size_ = static_cast<uint32_t>(total);
  buf_len_ = std::min<uint32_t>(size_, WindowSize);
  if (buf_len_ > 0) file_.ReadExact(buffer_.get(), buf_len_);
}

TFile::TFile(const std::string& fileName, TFileCreation how) : file_name_(fileName) {
  file_.Open(fileName, how == TFileCreation::Exclusive ? TOpenMode::CreateExclusive
                                                       : TOpenMode::CreateAlways);
}

TFile::~TFile() {
  try {
    Close();
  } catch (...) {}
}

void TFile::Close() {
  if (!file_.IsOpen()) return;
  WriteWindowBack();
  file_.Close();
}

void TFile::WriteWindowBack() {
  if (buf_len_ == 0) return;
  file_.Seek(buf_start_);
  file_.WriteAll(buffer_.get(), buf_len_);
}

void TFile::MoveWindowFor(uint32_t count) {
  if (position_ >= buf_start_ && uint64_t(position_) + count <= uint64_t(buf_start_) + WindowSize)
    return;
  WriteWindowBack();
  buf_start_ = position_;
  buf_len_ = std::min<uint32_t>(size_ - position_, WindowSize);
  file_.Seek(buf_start_);
  if (buf_len_ > 0) file_.ReadExact(buffer_.get(), buf_len_);
}

uint32_t TFile::ReadPiece(uint8_t* dest, uint32_t count) {
  if (size_ == 0) return 0;
  if (position_ >= size_) position_ = size_ - 1;
  if (uint64_t(position_) + count > size_) count = size_ - position_;
  MoveWindowFor(count);
  if (count > 0) std::memcpy(dest, buffer_.get() + (position_ - buf_start_), count);
  position_ += count;
  return count;
}

uint32_t TFile::Read(void* dest, uint32_t count) {
  // One window's worth at a time, so large requests behave like several calls.
  auto* p = static_cast<uint8_t*>(dest);
  uint32_t done = 0;
  do {
    uint32_t piece = std::min(count - done, WindowSize);
    uint32_t got = ReadPiece(p + done, piece);
    done += got;
    if (got < piece || got == 0) break;
  } while (done < count);
  return done;
}

void TFile::WritePiece(const uint8_t* src, uint32_t count) {
  if (position_ > size_) position_ = size_;
  if (uint64_t(position_) + count > 0xFFFFFFFFull)
    throw EInOutError("File would exceed 4 GiB: \"" + file_name_ + "\"", 101);
  MoveWindowFor(count);
  if (uint64_t(position_) + count > uint64_t(buf_start_) + buf_len_) {
    buf_len_ = position_ - buf_start_ + count;
    size_ = buf_start_ + buf_len_;
  }
  if (count > 0) std::memcpy(buffer_.get() + (position_ - buf_start_), src, count);
  position_ += count;
}

void TFile::Write(const void* source, uint32_t count) {
  auto* p = static_cast<const uint8_t*>(source);
  uint32_t done = 0;
  do {
    uint32_t piece = std::min(count - done, WindowSize);
    WritePiece(p + done, piece);
    done += piece;
  } while (done < count);
}

std::string TFile::ReadString(uint32_t count) {
  std::string s;
  s.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    char c = 0;
    Read(&c, 1);
    s += c;
  }
  return s;
}

void TFile::WriteString(const std::string& text, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    char c = i < text.size() ? text[i] : '\0';
    Write(&c, 1);
  }
}

void TFile::Clear() {
  buf_start_ = buf_len_ = position_ = 0;
  file_.Seek(0);
  file_.TruncateHere();
  size_ = 0;
}
