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
// same empty picture again.
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
#include "classlib/Types.h"

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

class THTMLPicture : public TPersistent {
 public:
  THTMLPicture();
  ~THTMLPicture() override;

  // The platform's loader (OleLoadPicture on Windows; none natively).
  static void SetDecoder(TPictureDecoder d);

  bool Empty() const { return empty_; }
  // Natural size of the decoded picture (0 without one).
  int Width() const;
  int Height() const;
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
  int Frame() const { return frame_; }
  // Stores the frame (clamped to the GIF's frames when decoded) and decodes again.
  void SetFrame(int v);
  // Frames of a GIF (0 for anything else), counted once.
  int FrameCount();
  const std::string& ID() const { return id_; }
  const std::string& DownloadAddress() const { return address_; }

  void LoadFromBytes(const std::string& bytes);
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  // Failures (missing file, bad format) leave the picture empty.
  void LoadFromFile(const std::string& FileName);
  // An RCDATA resource of the program (Windows; nothing elsewhere).
  void LoadFromResourceName(void* Instance, const std::string& Name);
  // "RES://name", "FILE://path"; anything else only records the address.
  void LoadFromURL(const std::string& Source);
  // Empties the picture (frame 1); then null clears the bytes, another
  // picture's bytes are copied and decoded, any other class adds nothing.
  void Assign(TPersistent* Source) override;
  // Draws on a device context: natural size at r's top left, or stretched.
  void Draw(void* dc, const TRect& r) const;

  TNotifyEvent OnChange;
  TNotifyEvent OnFrameChange;

 private:
  void Decode();
  std::string bytes_;
  bool empty_ = true;
  std::unique_ptr<TDecodedPicture> decoded_;
  int frame_ = 1;
  int frame_count_ = -1;
  int frame_left_ = 0, frame_top_ = 0, frame_w_ = 0, frame_h_ = 0;
  int screen_w_ = 0, screen_h_ = 0;
  std::string id_, address_;
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
