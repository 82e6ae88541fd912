// The picture container's Windows side: decoding through OleLoadPicture,
// RCDATA resources of the program, and reading local files only.
#include "classlib/WinApi.h"
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "classlib/Cp1251.h"
#include "components/PictureContainer.h"

namespace {

class TOlePicture : public TDecodedPicture {
 public:
  explicit TOlePicture(IPicture* p) : pic_(p) {
    pic_->get_Width(&hm_w_);
    pic_->get_Height(&hm_h_);
  }
  ~TOlePicture() override { pic_->Release(); }
  int Width() const override { return MulDiv(hm_w_, 96, 2540); }
  int Height() const override { return MulDiv(hm_h_, 96, 2540); }
  void Render(void* dc, const TRect& r, bool stretch) const override {
    HDC h = static_cast<HDC>(dc);
    int w = r.Width(), ht = r.Height();
    if (!stretch) {
      w = MulDiv(hm_w_, GetDeviceCaps(h, LOGPIXELSX), 2540);
      ht = MulDiv(hm_h_, GetDeviceCaps(h, LOGPIXELSY), 2540);
    }
    // Source from the bottom up: HIMETRIC runs upwards, so the picture stands upright.
    pic_->Render(h, r.Left, r.Top, w, ht, 0, hm_h_, hm_w_, -hm_h_, nullptr);
  }

 private:
  IPicture* pic_ = nullptr;
  OLE_XSIZE_HIMETRIC hm_w_ = 0;
  OLE_YSIZE_HIMETRIC hm_h_ = 0;
};

// A path whose reading could reach another machine (a relative path is
// taken against the current folder, which may itself be remote).
bool NetworkPath(const std::wstring& w) {
  wchar_t full[MAX_PATH * 2] = {};
  const DWORD n = GetFullPathNameW(w.c_str(), MAX_PATH * 2, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 2) return true;
  if ((full[0] == L'\\' || full[0] == L'/') && (full[1] == L'\\' || full[1] == L'/')) return true;
  const wchar_t root[] = {full[0], L':', L'\\', 0};
  return full[1] != L':' || GetDriveTypeW(root) == DRIVE_REMOTE;
}

} // namespace

namespace components {

std::unique_ptr<TDecodedPicture> DecodeOlePicture(const std::string& bytes) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  if (!mem) throw Exception("Could not allocate memory for image");
  if (void* p = GlobalLock(mem)) {
    if (!bytes.empty()) memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
    GlobalFree(mem);
    throw Exception("Could not create image stream");
  }
  if (!stream) throw Exception("Empty image stream created");
  IPicture* pic = nullptr;
  const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                    reinterpret_cast<void**>(&pic));
  stream->Release();
  if (FAILED(hr)) throw Exception("Could not load image. Invalid format");
  if (!pic) throw Exception("Could not load image");
  return std::make_unique<TOlePicture>(pic);
}

bool LoadResourceBytes(void* instance, const std::string& name, std::string& bytes) {
  HMODULE module = static_cast<HMODULE>(instance);
  const std::wstring w = Cp1251ToWide(name);
  HRSRC res = FindResourceW(module, w.c_str(), MAKEINTRESOURCEW(10));
  if (!res) return false;
  HGLOBAL data = LoadResource(module, res);
  const DWORD size = SizeofResource(module, res);
  const void* p = data ? LockResource(data) : nullptr;
  if (!p) return false;
  bytes.assign(static_cast<const char*>(p), size);
  return true;
}

bool ReadLocalRegularFile(const std::string& name, std::string& bytes, int64_t limit) {
  const std::wstring w = Cp1251ToWide(name);
  if (w.empty() || NetworkPath(w) || w.rfind(L"\\\\.\\", 0) == 0) return false;
  const DWORD attrs = GetFileAttributesW(w.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
  HANDLE f = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bool ok = false;
  LARGE_INTEGER size{};
  if (GetFileType(f) == FILE_TYPE_DISK && GetFileSizeEx(f, &size) && size.QuadPart <= limit) {
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    ok =
        bytes.empty() || (ReadFile(f, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                          got == bytes.size());
  }
  CloseHandle(f);
  return ok;
}

} // namespace components
