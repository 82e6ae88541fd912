// A JPEG made in memory with libjpeg, for the picture-loading tests: a
// left-to-right red ramp over a blue background, quality 95.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace skins_test {

inline std::vector<uint8_t> MakeJpeg(int width, int height) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = width;
  c.image_height = height;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(width * 3);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < width; ++x) {
      row[x * 3] = static_cast<uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
      row[x * 3 + 1] = 0;
      row[x * 3 + 2] = 160;
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&c, &rp, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<uint8_t> bytes(out, out + size);
  jpeg_destroy_compress(&c);
  std::free(out);
  return bytes;
}

}  // namespace skins_test
