// The picture container, its items, the cache and the picture's bytes,
// frames and sources (the platform's decoder: PictureContainerWin.cpp).
#include "components/PictureContainer.h"

#include "components/PictureGif.h"

#ifdef _WIN32
#include "classlib/WinApi.h"
namespace components {
std::unique_ptr<TDecodedPicture> DecodeOlePicture(const std::string& bytes);
bool LoadResourceBytes(void* instance, const std::string& name, std::string& bytes);
bool ReadLocalRegularFile(const std::string& name, std::string& bytes, int64_t limit);
} // namespace components
#else
#include <sys/stat.h>

#include <cstdio>

#include "classlib/Cp1251.h"
#endif

namespace {

TPictureDecoder& Decoder() {
#ifdef _WIN32
  static TPictureDecoder d = components::DecodeOlePicture;
#else
  static TPictureDecoder d;
#endif
  return d;
}

bool StartsUpper(const std::string& s, const char* prefix, std::string& rest) {
  const std::string p(prefix);
  if (s.size() < p.size() || AnsiUpperCase(s.substr(0, p.size())) != p) return false;
  rest = s.substr(p.size());
  return true;
}

} // namespace

namespace components {

bool ReadPictureFile(const std::string& FileName, std::string& bytes) {
#ifdef _WIN32
  return ReadLocalRegularFile(FileName, bytes, kMaxPictureFileBytes);
#else
  std::string path = FileName;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return false;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxPictureFileBytes)
    return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.assign(static_cast<size_t>(st.st_size), '\0');
  const size_t n = bytes.empty() ? 0 : std::fread(&bytes[0], 1, bytes.size(), f);
  std::fclose(f);
  return n == bytes.size();
#endif
}

} // namespace components

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::SetDecoder(TPictureDecoder d) { Decoder() = std::move(d); }

int THTMLPicture::Width() const { return decoded_ ? decoded_->Width() : 0; }
int THTMLPicture::Height() const { return decoded_ ? decoded_->Height() : 0; }
int THTMLPicture::FrameWidth() const { return frame_w_ ? frame_w_ : Width(); }
int THTMLPicture::FrameHeight() const { return frame_h_ ? frame_h_ : Height(); }

int THTMLPicture::FrameCount() {
  if (frame_count_ < 0) frame_count_ = gif::FrameCount(bytes_);
  return frame_count_;
}

void THTMLPicture::Decode() {
  decoded_.reset();
  frame_left_ = frame_top_ = frame_w_ = frame_h_ = screen_w_ = screen_h_ = 0;
  gif::Selected sel;
  const bool frameOfGif = gif::SelectFrame(bytes_, frame_, sel);
  if (frameOfGif) {
    frame_left_ = sel.Left;
    frame_top_ = sel.Top;
    frame_w_ = sel.Width;
    frame_h_ = sel.Height;
    screen_w_ = sel.ScreenWidth;
    screen_h_ = sel.ScreenHeight;
  }
  if (Decoder()) decoded_ = Decoder()(frameOfGif ? sel.Bytes : bytes_);
}

void THTMLPicture::SetFrame(int v) {
  frame_ = v;
  if (bytes_.empty()) return;
  Decode();
  if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::LoadFromBytes(const std::string& bytes) { TakeBytes(bytes, true); }

void THTMLPicture::TakeBytes(const std::string& bytes, bool notify) {
  bytes_ = bytes;
  frame_count_ = -1;
  empty_ = false;
  try {
    Decode();
  } catch (...) {
    empty_ = true; // bytes that do not decode show nothing
    throw;
  }
  if (notify && OnChange) OnChange(this);
}

namespace {

std::string RestOf(TStream* Stream) {
  std::string bytes;
  const int64_t n = Stream->Size() - Stream->Position();
  if (n > 0) {
    bytes.resize(static_cast<size_t>(n));
    Stream->ReadBuffer(&bytes[0], n);
  }
  return bytes;
}

} // namespace

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (Stream) TakeBytes(RestOf(Stream), true);
}

// A form's stored picture is its bytes as they were loaded; reading them back
// is part of building the form, which tells nobody of a change.
void THTMLPicture::ReadData(TStream* Stream) {
  if (Stream) TakeBytes(RestOf(Stream), false);
}

void THTMLPicture::WriteData(TStream* Stream) const { SaveToStream(Stream); }

void THTMLPicture::SaveToStream(TStream* Stream) const {
  if (Stream && !bytes_.empty())
    Stream->WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
}

void THTMLPicture::LoadFromFile(const std::string& FileName) {
  std::string bytes;
  try {
    if (!components::ReadPictureFile(FileName, bytes)) throw Exception("Could not load image");
    LoadFromBytes(bytes);
  } catch (const std::exception&) { empty_ = true; }
}

void THTMLPicture::LoadFromResourceName(void* Instance, const std::string& Name) {
#ifdef _WIN32
  std::string bytes;
  if (components::LoadResourceBytes(Instance, Name, bytes)) LoadFromBytes(bytes);
#else
  (void)Instance;
  (void)Name;
#endif
}

void THTMLPicture::LoadFromURL(const std::string& Source) {
  std::string rest;
  if (StartsUpper(Source, "RES://", rest)) {
    id_ = Source;
    if (!rest.empty()) LoadFromResourceName(nullptr, rest);
  } else if (StartsUpper(Source, "FILE://", rest)) {
    id_ = Source;
    if (!rest.empty()) LoadFromFile(rest);
  } else if (!Asynchronous) {
    // Markup never reaches the network: the address is only remembered.
    address_ = id_ = Source;
  } else if (!busy_) {
    address_ = Source;
    busy_ = true;
    New<TDownLoadThread>(this);
  }
}

TDownLoadThread::TDownLoadThread(THTMLPicture* Picture) : TThread(false), picture_(Picture) {
  FreeOnTerminate = true;
}

// Whatever the source, the picture is emptied first; only another picture
// gives it new bytes. A source of another class raises nothing: the picture
// just shows nothing (its bytes stay, as nothing replaced them).
void THTMLPicture::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<THTMLPicture*>(Source);
  if (other == this) return;
  empty_ = true;
  decoded_.reset();
  frame_count_ = -1;
  loop_count_ = -1;
  loop_index_ = -1;
  frame_ = 1;
  if (!Source) {
    bytes_.clear();
    return;
  }
  if (other) LoadFromBytes(other->bytes_);
}

void THTMLPicture::Draw(void* dc, const TRect& r) const {
  if (empty_ || !decoded_) return;
  decoded_->Render(dc, r, Stretch);
}

#ifdef _WIN32
void THTMLPicture::DrawTo(TCanvas* canvas, const TRect& r) { Draw(canvas->Handle(), r); }
#endif

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), picture_(new THTMLPicture) {}

TPictureItem::~TPictureItem() { delete picture_; }

void TPictureItem::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TPictureItem*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  Name = other->Name;
  Tag = other->Tag;
  picture_->Assign(other->picture_);
}

TPictureCollection::TPictureCollection(TPictureContainer* Owner)
    : TCollection(classlib::CollectionItemFactory<TPictureItem>(), Owner) {}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), items_(new TPictureCollection(this)) {}

TPictureContainer::~TPictureContainer() { delete items_; }

THTMLPicture* TPictureContainer::FindPicture(const std::string& Name) {
  const std::string want = AnsiUpperCase(Name);
  for (int i = 0; i < items_->Count(); ++i)
    if (AnsiUpperCase(items_->Items(i)->Name) == want) return items_->Items(i)->Picture();
  return nullptr;
}

THTMLPicture* THTMLPictureCache::AddPicture() {
  pictures_.push_back(std::make_unique<THTMLPicture>());
  return pictures_.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& ID) const {
  for (const auto& p : pictures_)
    if (p->ID() == ID) return p.get();
  return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds");
  return pictures_[static_cast<size_t>(Index)].get();
}
