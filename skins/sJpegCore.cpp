// libjpeg through an error manager that jumps back here instead of calling
// exit(), and a message hook that keeps warnings off the console. The jump
// crosses only libjpeg's C frames and this file's function, which owns no
// object with a destructor between setjmp and the jump.
#include "skins/sJpegCore.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>

namespace skins {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;  // first: libjpeg sees only this part
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
  e->base.format_message(cinfo, e->message);
  std::longjmp(e->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

// The decoding proper; `rows` (the caller's) receives the picture. Returns
// false after an error jump, with the message in `e`.
bool Decode(const uint8_t* data, size_t size, bool grey, ErrorManager& e,
            std::vector<uint8_t>& rows, int& width, int& height) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&e.base);
  e.base.error_exit = OnError;
  e.base.emit_message = OnMessage;
  e.base.output_message = [](j_common_ptr) {};
  if (setjmp(e.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxJpegPixels) {
    std::snprintf(e.message, sizeof e.message, "JPEG picture too large (%ux%u)",
                  cinfo.image_width, cinfo.image_height);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  width = static_cast<int>(cinfo.output_width);
  height = static_cast<int>(cinfo.output_height);
  const int channels = cinfo.output_components;
  try {
    rows.assign(static_cast<size_t>(width) * height * 3, 0);
  } catch (const std::bad_alloc&) {
    std::snprintf(e.message, sizeof e.message, "Out of memory decoding JPEG");
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* row = rows.data() + static_cast<size_t>(cinfo.output_scanline) * width * 3;
    // Decoded into the row's tail (a grey line is a third of the row), then
    // spread from the front so no byte is overwritten before it is read.
    uint8_t* line = row + static_cast<size_t>(width) * (3 - channels);
    JSAMPROW rp = line;
    jpeg_read_scanlines(&cinfo, &rp, 1);
    for (int x = 0; x < width; ++x) {
      const uint8_t* s = line + x * channels;
      const uint8_t r = s[0], g = channels == 3 ? s[1] : s[0], b = channels == 3 ? s[2] : s[0];
      row[x * 3] = b;
      row[x * 3 + 1] = g;
      row[x * 3 + 2] = r;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, bool grey, TJpegPixels& out, std::string& error) {
  out = TJpegPixels{};
  if (!data || size == 0) {
    error = "Empty JPEG data";
    return false;
  }
  ErrorManager e;
  std::memset(e.message, 0, sizeof e.message);
  std::vector<uint8_t> rows;
  int width = 0, height = 0;
  if (!Decode(data, size, grey, e, rows, width, height)) {
    error = e.message;
    return false;
  }
  out.width = width;
  out.height = height;
  out.bits = std::move(rows);
  return true;
}

}  // namespace skins
