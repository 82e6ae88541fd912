// The recording's memory and disk (see RecordDiskCore.h).
#include "player/RecordDiskCore.h"

#include <algorithm>
#include <cstring>

#include "classlib/SysUtils.h"
#include "classlib/TextFile.h"

void TRecordBuffer::Append(const void* Data, size_t Length) {
  const uint8_t* p = static_cast<const uint8_t*>(Data);
  while (Length > 0) {
    size_t used = size_ % kChunk;
    if (used == 0 && size_ / kChunk == chunks_.size())
      chunks_.push_back(std::unique_ptr<uint8_t[]>(new uint8_t[kChunk]));
    size_t n = std::min(Length, kChunk - used);
    std::memcpy(chunks_.back().get() + used, p, n);
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

void TRecordBuffer::Clear() {
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
  const std::string part = Name + ".part";
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

void FindInto(const std::string& Folder, const std::string& Mask, std::vector<TFoundMp3>& Out) {
  std::string dir = IncludeTrailingPathDelimiter(Folder);
  TSearchRec rec;
  if (FindFirst(dir + Mask, faAnyFile, rec) != 0) return;
  do {
    if (rec.Name == "." || rec.Name == "..") continue;
    if (rec.Attr & faDirectory)
      FindInto(dir + rec.Name, Mask, Out);
    else if (IsMp3(rec.Name))
      Out.push_back(TFoundMp3{dir + rec.Name, rec.Size});
  } while (FindNext(rec) == 0);
  FindClose(rec);
}

} // namespace

std::vector<TFoundMp3> FindMp3Files(const std::string& Folder, const std::string& Mask) {
  std::vector<TFoundMp3> found;
  FindInto(Folder, Mask.empty() ? "*.*" : Mask, found);
  return found;
}

void DeleteSmallRecordings(const std::string& AudioFolder) {
  for (const TFoundMp3& f : FindMp3Files(AudioFolder, "*.*"))
    if (f.Size < kMinRecordingBytes) classlib::SysDeleteFile(f.Path);
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
