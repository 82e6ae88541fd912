// What the recording engine keeps in memory and puts on disk: the bytes of
// the file being recorded, the file system it saves through, and the
// clean-up of small and temporary recordings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The bytes of one recording, in chunks of fixed size, so that a long file
// never needs one block of twice its size while it grows.
class TRecordBuffer {
 public:
  static constexpr size_t kChunk = 1 << 20;
  void Append(const void* Data, size_t Length);
  size_t Size() const { return size_; }
  // Calls `Visit` with every stored run of bytes in order; stops when it
  // answers false and then answers false itself.
  bool ForEach(const std::function<bool(const uint8_t*, size_t)>& Visit) const;
  void Clear();

 private:
  std::vector<std::unique_ptr<uint8_t[]>> chunks_;
  size_t size_ = 0;
};

// The file system as the engine uses it. Paths are Windows-1251 text with
// "\" separators. Called on the download thread.
class TRecordDisk {
 public:
  virtual ~TRecordDisk() = default;
  // Creates every missing folder of `Path`; false when one can't be made.
  virtual bool ForceDirs(const std::string& Path) = 0;
  // Gives the folder the hidden attribute, and only that one.
  virtual bool SetHidden(const std::string& Folder) = 0;
  // Writes `Data` as the whole file `Name`: either the file is complete
  // under its name, or (false) nothing new is left there.
  virtual bool SaveFile(const std::string& Name, const TRecordBuffer& Data) = 0;
  // The same for a short text file.
  virtual bool SaveText(const std::string& Name, const std::string& Text) = 0;
  virtual bool RemoveFile(const std::string& Name) = 0;
};

// The real file system, through the class library.
class TSystemRecordDisk : public TRecordDisk {
 public:
  bool ForceDirs(const std::string& Path) override;
  bool SetHidden(const std::string& Folder) override;
  bool SaveFile(const std::string& Name, const TRecordBuffer& Data) override;
  bool SaveText(const std::string& Name, const std::string& Text) override;
  bool RemoveFile(const std::string& Name) override;
};

// Creates the folders of `Path` one after the other from its start (empty
// names from doubled separators are skipped); false when one is missing
// afterwards.
bool ForceDirs(const std::string& Path);

// The size a recording must reach to be kept.
constexpr int64_t kMinRecordingBytes = 2000000;

struct TFoundMp3 {
  std::string Path;
  int64_t Size = 0;
};
// Every file under `Folder` (and its sub-folders, hidden ones too) whose
// extension is ".mp3" in any case. `Mask` "" means "*.*".
std::vector<TFoundMp3> FindMp3Files(const std::string& Folder, const std::string& Mask);
// Deletes every ".mp3" under `AudioFolder` smaller than kMinRecordingBytes.
void DeleteSmallRecordings(const std::string& AudioFolder);
// Deletes every ".mp3" under `Folder` and its sub-folders, read-only ones too.
void ClearTempMp3(const std::string& Folder);
