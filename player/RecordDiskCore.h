// What the recording engine keeps in memory and puts on disk: the bytes of
// the file being recorded, the file system it saves through, and the
// clean-up of small and temporary recordings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Chunks of recording memory that a saved file gave back, handed to the next
// file: memory fresh from the system costs a page fault per page at its first
// touch, which made a block's copy many times dearer than it needs to be.
// Only ever holds chunks that were in use at once, so it never grows past the
// largest file. Any thread.
class TChunkPool {
 public:
  using TChunk = std::unique_ptr<uint8_t[]>;
  TChunk Take();             // a kept chunk, else a new one
  void Give(TChunk Chunk);   // keeps it for the next Take
  void Release();            // the kept chunks back to the system
  size_t Kept();

 private:
  std::mutex mutex_;
  std::vector<TChunk> free_;
};

// The bytes of one recording, in chunks of fixed size, so that a long file
// never needs one block of twice its size while it grows. With a pool its
// chunks come from there and go back there.
class TRecordBuffer {
 public:
  static constexpr size_t kChunk = 1 << 20;
  explicit TRecordBuffer(TChunkPool* Pool = nullptr) : pool_(Pool) {}
  TRecordBuffer(TRecordBuffer&& Other) noexcept;
  TRecordBuffer& operator=(TRecordBuffer&& Other) noexcept;
  TRecordBuffer(const TRecordBuffer&) = delete;
  TRecordBuffer& operator=(const TRecordBuffer&) = delete;
  ~TRecordBuffer() { Clear(); }

  void Append(const void* Data, size_t Length);
  size_t Size() const { return size_; }
  // Calls `Visit` with every stored run of bytes in order; stops when it
  // answers false and then answers false itself.
  bool ForEach(const std::function<bool(const uint8_t*, size_t)>& Visit) const;
  // The last `Length` bytes (all of them when there are fewer).
  std::vector<uint8_t> Tail(size_t Length) const;
  // Drops the bytes from `Length` on; a larger length changes nothing.
  void Truncate(size_t Length);
  void Clear();

 private:
  TChunkPool* pool_ = nullptr;
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
// The suffix a save writes under before the file takes its final name.
inline constexpr const char kSavingSuffix[] = ".part";
// Deletes what the player left unfinished under `AudioFolder` and its
// sub-folders: the ".mp3.part" files of saves cut short by a crash or a
// power loss. Whatever has its final name stays, whatever its size: the
// player never gives a file under 2000000 bytes a final name, and a smaller
// one there is the companion's (a re-encode at a lower bitrate) or the
// user's. The encoder's unfinished files (".mp3.<process>.part") are its own.
void DeleteSmallRecordings(const std::string& AudioFolder);
// Deletes every ".mp3" under `Folder` and its sub-folders, read-only ones too.
void ClearTempMp3(const std::string& Folder);
