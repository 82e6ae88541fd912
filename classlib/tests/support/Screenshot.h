// Test helper: pictures of what is on screen, kept as 24-bit .bmp files for
// a person to look at (they are not compared by the tests).
#pragma once

#include "classlib/WinApi.h"

#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

namespace test_support {

// Saves the w x h pixels at (x, y) of a device context; false when there is
// nothing to save or the file can't be written.
inline bool SaveDcBmp(HDC src, int x, int y, int w, int h, const std::wstring& path) {
  if (w <= 0 || h <= 0) return false;
  TBitmap picture(w, h);
  BitBlt(picture.Canvas()->Handle(), 0, 0, w, h, src, x, y, SRCCOPY);
  GdiFlush();
  try {
    picture.SaveToFile(WideToCp1251(path));
    return true;
  } catch (const Exception&) { return false; }
}

} // namespace test_support
