// The pictures the markup renderer places with its image tag:
//   THTMLPicture        the encoded bytes of a GIF, JPEG, bitmap, icon or
//                       metafile, decoded by the platform's picture loader
//                       (one chosen frame of an animated GIF);
//   TPictureContainer   a component with named pictures (TPictureItem in
//                       TPictureCollection), found by name in any letter case;
//   THTMLPictureCache   pictures by the address they were loaded from.
//
// Pictures come only from the program's own resources ("RES://name") or a
// local file ("FILE://path"): a regular file of at most 16 MiB, never a
// device, a pipe, a UNC path or a network drive. Any other address is never
// fetched: the picture stays empty under that identity, so a cache finds the
// same empty picture again. An asynchronous load only starts a
// TDownLoadThread, whose work is empty: the download events are never raised.
//
// On Windows THTMLPicture is the class library's graphic (drawn on a
// canvas); natively, where there is no canvas, it has the same interface
// without the drawing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "classlib/Thread.h"
#include "classlib/Types.h"
#ifdef _WIN32
#include "classlib/Bitmap.h"
#endif

#ifdef _WIN32
using THTMLPictureBase = TGraphic;
#else
class THTMLPictureBase : public TPersistent {
 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int w) = 0;
  virtual void SetHeight(int h) = 0;
  virtual void LoadFromFile(const std::string& FileName) = 0;
  TNotifyEvent OnChange;
};
#endif

using TDownloadErrorEvent = std::function<void(TObject* Sender, const std::string& err)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadProgressEvent =
    std::function<void(TObject* Sender, uint32_t dwSize, uint32_t dwTotSize)>;

// A decoded picture: its natural size in pixels at 96 pixels per inch, and
// how to draw it on a device context (HDC on Windows).
class TDecodedPicture {
 public:
  virtual ~TDecodedPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // At r's top left at natural size (scaled to the device), or stretched into r.
  virtual void Render(void* dc, const TRect& r, bool stretch) const = 0;
};

// Turns encoded bytes into a picture; raises Exception for bytes it cannot load.
using TPictureDecoder = std::function<std::unique_ptr<TDecodedPicture>(const std::string&)>;

namespace components {

constexpr int64_t kMaxPictureFileBytes = 16 << 20;

// Reads a local regular file of at most kMaxPictureFileBytes; false for
// anything else (missing, a folder, a device, a pipe, a network path).
bool ReadPictureFile(const std::string& FileName, std::string& bytes);

} // namespace components

class THTMLPicture : public THTMLPictureBase {
 public:
  THTMLPicture();
  ~THTMLPicture() override;

  // The platform's loader (OleLoadPicture on Windows; none natively).
  static void SetDecoder(TPictureDecoder d);

  bool Empty() const override { return empty_; }
  // Natural size of the decoded picture (0 without one).
  int Width() const override;
  int Height() const override;
  // The size comes from the picture: these change nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
#ifdef _WIN32
  // Drawn into r of the canvas (stretched when Stretch is set).
  void DrawTo(TCanvas* canvas, const TRect& r) override;
#endif
  int PixelsPerInchX() const { return ppi_x_; }
  int PixelsPerInchY() const { return ppi_y_; }
  // Size for layout: the shown GIF frame's, else the picture's.
  int FrameWidth() const;
  int FrameHeight() const;
  int FrameLeft() const { return frame_left_; }
  int FrameTop() const { return frame_top_; }
  int ScreenWidth() const { return screen_w_; }
  int ScreenHeight() const { return screen_h_; }
  const TDecodedPicture* Decoded() const { return decoded_.get(); }
  const std::string& Data() const { return bytes_; }

  bool Stretch = false;
  bool Asynchronous = true;
  // A download has been started (it is never done: the flag stays).
  bool DownloadBusy() const { return busy_; }
  int Frame() const { return frame_; }
  // Stores the frame as given and decodes again (a number past the GIF's
  // frames shows its last one, below 1 its first).
  void SetFrame(int v);
  // Frames of a GIF (0 for anything else), counted once.
  int FrameCount();
  const std::string& ID() const { return id_; }
  const std::string& DownloadAddress() const { return address_; }

  void LoadFromBytes(const std::string& bytes);
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  // The form-streaming pair: the stored bytes, read back without OnChange.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const;
  // The picture never travels through the clipboard: both do nothing.
  void LoadFromClipboardFormat(uint16_t, uintptr_t, uintptr_t) {}
  void SaveToClipboardFormat(uint16_t&, uintptr_t&, uintptr_t&) const {}
  // Failures (missing file, bad format) leave the picture empty.
  void LoadFromFile(const std::string& FileName) override;
  // An RCDATA resource of the program (Windows; nothing elsewhere).
  void LoadFromResourceName(void* Instance, const std::string& Name);
  // "RES://name", "FILE://path"; any other address, with Asynchronous off,
  // is recorded as address and identity; with it on (and none busy) it
  // becomes the download address and a TDownLoadThread starts.
  void LoadFromURL(const std::string& Source);
  // Empties the picture (frame 1); then null clears the bytes, another
  // picture's bytes are copied and decoded, any other class adds nothing.
  void Assign(TPersistent* Source) override;
  // Draws on a device context: natural size at r's top left, or stretched.
  void Draw(void* dc, const TRect& r) const;

  TNotifyEvent OnFrameChange;
  TDownloadErrorEvent OnDownLoadError;
  TDownloadCompleteEvent OnDownLoadComplete;
  TDownloadCancelEvent OnDownLoadCancel;
  TDownloadProgressEvent OnDownLoadProgress;

 private:
  void Decode();
  void TakeBytes(const std::string& bytes, bool notify);
  std::string bytes_;
  bool empty_ = true;
  std::unique_ptr<TDecodedPicture> decoded_;
  int frame_ = 1;
  int frame_count_ = -1;
  // Reset with the frame count on every Assign; no animation reads them yet.
  int loop_count_ = -1, loop_index_ = -1;
  int frame_left_ = 0, frame_top_ = 0, frame_w_ = 0, frame_h_ = 0;
  int screen_w_ = 0, screen_h_ = 0;
  std::string id_, address_;
  int ppi_x_ = 96, ppi_y_ = 96;
  bool busy_ = false;
};

// The download of a picture's address: created running, it frees itself.
// Its work is empty (pictures never come from the network), so it ends at
// once and loads nothing. Made with New<TDownLoadThread>(picture).
class TDownLoadThread : public TThread {
 public:
  explicit TDownLoadThread(THTMLPicture* Picture);

 protected:
  void Execute() override {}

 private:
  THTMLPicture* picture_;
};

class TPictureItem : public TCollectionItem {
 public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  THTMLPicture* Picture() const { return picture_; }
  void SetPicture(THTMLPicture* v) { picture_->Assign(v); }
  std::string Name;
  int Tag = 0;
  void Assign(TPersistent* Source) override;

 private:
  THTMLPicture* picture_ = nullptr;
};

class TPictureContainer;

class TPictureCollection : public TCollection {
 public:
  explicit TPictureCollection(TPictureContainer* Owner);
  TPictureItem* Items(int Index) const {
    return static_cast<TPictureItem*>(TCollection::Items(Index));
  }
  TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
};

class TPictureContainer : public TComponent {
 public:
  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;
  TPictureCollection* Items() const { return items_; }
  void SetItems(TPictureCollection* v) { items_->Assign(v); }
  // The first item whose name equals Name in any letter case (Windows-1251).
  virtual THTMLPicture* FindPicture(const std::string& Name);

 private:
  TPictureCollection* items_ = nullptr;
};

class THTMLPictureCache {
 public:
  THTMLPicture* AddPicture();
  // The first picture whose identity equals ID exactly.
  THTMLPicture* FindPicture(const std::string& ID) const;
  THTMLPicture* GetPicture(int Index) const;
  int Count() const { return static_cast<int>(pictures_.size()); }
  void Clear() { pictures_.clear(); }

 private:
  std::vector<std::unique_ptr<THTMLPicture>> pictures_;
};
