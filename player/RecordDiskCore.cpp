// The recording's memory and disk (see RecordDiskCore.h).
#include "player/RecordDiskCore.h"

#include <algorithm>
#include <cstring>

#include "classlib/SysUtils.h"
#include "classlib/TextFile.h"

TChunkPool::TChunk TChunkPool::Take() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!free_.empty()) {
      TChunk c = std::move(free_.back());
      free_.pop_back();
      return c;
    }
  }
  return TChunk(new uint8_t[TRecordBuffer::kChunk]);
}

void TChunkPool::Give(TChunk Chunk) {
  std::lock_guard<std::mutex> lock(mutex_);
  free_.push_back(std::move(Chunk));
}

void TChunkPool::Release() {
  std::vector<TChunk> gone;
  std::lock_guard<std::mutex> lock(mutex_);
  gone.swap(free_);
}

size_t TChunkPool::Kept() {
  std::lock_guard<std::mutex> lock(mutex_);
  return free_.size();
}

TRecordBuffer::TRecordBuffer(TRecordBuffer&& Other) noexcept
    : pool_(Other.pool_), chunks_(std::move(Other.chunks_)), size_(Other.size_) {
  Other.chunks_.clear();
  Other.size_ = 0;
}

TRecordBuffer& TRecordBuffer::operator=(TRecordBuffer&& Other) noexcept {
  if (this == &Other) return *this;
  Clear();
  pool_ = Other.pool_;
  chunks_ = std::move(Other.chunks_);
  size_ = Other.size_;
  Other.chunks_.clear();
  Other.size_ = 0;
  return *this;
}

void TRecordBuffer::Append(const void* Data, size_t Length) {
  const uint8_t* p = static_cast<const uint8_t*>(Data);
  while (Length > 0) {
    size_t used = size_ % kChunk;
    if (used == 0 && size_ / kChunk == chunks_.size()) {
      chunks_.push_back(pool_ ? pool_->Take() : std::unique_ptr<uint8_t[]>(new uint8_t[kChunk]));
    }
    size_t n = std::min(Length, kChunk - used);
    std::memcpy(chunks_[size_ / kChunk].get() + used, p, n);
    p += n;
    size_ += n;
    Length -= n;
  }
}

bool TRecordBuffer::ForEach(const std::function<bool(const uint8_t*, size_t)>& Visit) const {
  size_t left = size_;
  for (const auto& c : chunks_) {
    if (left == 0) break;
    size_t n = std::min(left, kChunk);
    if (!Visit(c.get(), n)) return false;
    left -= n;
  }
  return true;
}

std::vector<uint8_t> TRecordBuffer::Tail(size_t Length) const {
  size_t n = std::min(Length, size_);
  std::vector<uint8_t> out(n);
  for (size_t pos = size_ - n, k = 0; k < n;) {
    size_t in = pos % kChunk, take = std::min(n - k, kChunk - in);
    std::memcpy(out.data() + k, chunks_[pos / kChunk].get() + in, take);
    pos += take;
    k += take;
  }
  return out;
}

void TRecordBuffer::Truncate(size_t Length) {
  if (Length >= size_) return;
  size_ = Length;
  size_t keep = (size_ + kChunk - 1) / kChunk;
  while (chunks_.size() > keep) {
    if (pool_) pool_->Give(std::move(chunks_.back()));
    chunks_.pop_back();
  }
}

void TRecordBuffer::Clear() {
  if (pool_)
    for (auto& c : chunks_) pool_->Give(std::move(c));
  chunks_.clear();
  size_ = 0;
}

bool ForceDirs(const std::string& Path) {
  size_t start = !Path.empty() && IsPathDelimiter(Path[0]) ? 1 : 0;
  size_t nameStart = start;
  for (size_t i = start; i <= Path.size(); ++i) {
    if (i < Path.size() && !IsPathDelimiter(Path[i])) continue;
    if (i > nameStart) {
      std::string folder = Path.substr(0, i);
      // "C:" names a drive, not a folder to make.
      bool drive = folder.size() == 2 && folder[1] == ':';
      if (!drive && !DirectoryExists(folder) && !CreateDir(folder) && !DirectoryExists(folder))
        return false;
    }
    nameStart = i + 1;
  }
  return true;
}

bool TSystemRecordDisk::ForceDirs(const std::string& Path) { return ::ForceDirs(Path); }

bool TSystemRecordDisk::SetHidden(const std::string& Folder) {
  return FileSetAttr(ExcludeTrailingPathDelimiter(Folder), faHidden);
}

bool TSystemRecordDisk::SaveFile(const std::string& Name, const TRecordBuffer& Data) {
  // Written beside the final name first: a save cut short by a full disk
  // leaves no damaged recording under the final name.
  const std::string part = Name + kSavingSuffix;
  THandle h = FileCreate(part);
  if (h == classlib::kInvalidFile) return false;
  bool ok = Data.ForEach([h](const uint8_t* p, size_t n) {
    return FileWrite(h, p, static_cast<int64_t>(n)) == static_cast<int64_t>(n);
  });
  FileClose(h);
  if (ok) ok = FileSize(part) == static_cast<int64_t>(Data.Size());
  if (ok) ok = classlib::RenameFileReplacing(part, Name);
  if (!ok) classlib::SysDeleteFile(part);
  return ok;
}

bool TSystemRecordDisk::SaveText(const std::string& Name, const std::string& Text) {
  try {
    classlib::WriteFileReplacing(Name, Text);
    return true;
  } catch (...) { return false; }
}

bool TSystemRecordDisk::RemoveFile(const std::string& Name) {
  return classlib::SysDeleteFile(Name);
}

namespace {

bool IsMp3(const std::string& Name) { return LowerCase(ExtractFileExt(Name)) == ".mp3"; }

// Calls `Visit` with every file under `Folder` and its sub-folders, hidden
// ones too.
void ForEachFile(const std::string& Folder, const std::string& Mask,
                 const std::function<void(const std::string&, const TSearchRec&)>& Visit) {
  std::string dir = IncludeTrailingPathDelimiter(Folder);
  TSearchRec rec;
  if (FindFirst(dir + Mask, faAnyFile, rec) != 0) return;
  do {
    if (rec.Name == "." || rec.Name == "..") continue;
    if (rec.Attr & faDirectory)
      ForEachFile(dir + rec.Name, Mask, Visit);
    else
      Visit(dir + rec.Name, rec);
  } while (FindNext(rec) == 0);
  FindClose(rec);
}

} // namespace

std::vector<TFoundMp3> FindMp3Files(const std::string& Folder, const std::string& Mask) {
  std::vector<TFoundMp3> found;
  ForEachFile(Folder, Mask.empty() ? "*.*" : Mask, [&](const std::string& Path, const TSearchRec& r) {
    if (IsMp3(r.Name)) found.push_back(TFoundMp3{Path, r.Size});
  });
  return found;
}

void DeleteSmallRecordings(const std::string& AudioFolder) {
  const std::string unfinished = std::string(".mp3") + kSavingSuffix;
  ForEachFile(AudioFolder, "*.*", [&](const std::string& Path, const TSearchRec& r) {
    const std::string name = LowerCase(r.Name);
    if (name.size() > unfinished.size() &&
        name.compare(name.size() - unfinished.size(), unfinished.size(), unfinished) == 0)
      classlib::SysDeleteFile(Path);
  });
}

void ClearTempMp3(const std::string& Folder) {
  std::string dir = ExcludeTrailingPathDelimiter(Folder);
  TSearchRec rec;
  if (FindFirst(dir + "\\*.*", faAnyFile, rec) != 0) return;
  do {
    if (rec.Name == "." || rec.Name == "..") continue;
    std::string path = dir + "\\" + rec.Name;
    if (rec.Attr & faDirectory) {
      ClearTempMp3(path);
    } else if (IsMp3(rec.Name)) {
      int attr = FileGetAttr(path);
      if (attr >= 0 && (attr & faReadOnly)) FileSetAttr(path, attr & ~faReadOnly);
      classlib::SysDeleteFile(path);
    }
  } while (FindNext(rec) == 0);
  FindClose(rec);
}
