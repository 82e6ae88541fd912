// PNG resources and alpha-blended drawing.
#include "components/PngResource.h"

#include "classlib/Bitmap.h"

#include <cstring>

namespace components {

void LoadPngResource(TPngImage& image, const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, name, MAKEINTRESOURCEW(10) /*RT_RCDATA*/);
  HGLOBAL data = res ? LoadResource(module, res) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EPngError("Нет изображения PNG в ресурсах программы");
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  image.LoadFromBytes(std::vector<std::uint8_t>(p, p + SizeofResource(module, res)));
}

void DrawPng(HDC dc, int x, int y, const TPngImage& image) {
  const int w = image.Width(), h = image.Height();
  if (w <= 0 || h <= 0) return;
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP dib = classlib::CreateTopDownDib(w, h, 32, &bits);
  if (!dib) {
    DeleteDC(mem);
    return;
  }
  // AlphaBlend wants premultiplied colours.
  const std::uint8_t* src = image.Pixels().data();
  auto* dst = static_cast<std::uint8_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
    const unsigned a = src[4 * i + 3];
    for (int c = 0; c < 3; ++c)
      dst[4 * i + c] = static_cast<std::uint8_t>(src[4 * i + c] * a / 255);
    dst[4 * i + 3] = static_cast<std::uint8_t>(a);
  }
  HGDIOBJ old = SelectObject(mem, dib);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, w, h, mem, 0, 0, w, h, bf);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
}

} // namespace components
