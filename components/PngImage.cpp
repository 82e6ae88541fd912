// PNG decoding through libpng's memory reader.
#include "components/PngImage.h"

#include <png.h>

#include <cstring>

void TPngImage::LoadFromBytes(const std::vector<std::uint8_t>& data) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (data.empty() || !png_image_begin_read_from_memory(&image, data.data(), data.size()))
    throw EPngError("Неверный формат изображения PNG");
  image.format = PNG_FORMAT_BGRA;
  // Pictures of the windows are small; refuse absurd headers before allocating.
  if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
    png_image_free(&image);
    throw EPngError("Неверный размер изображения PNG");
  }
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    throw EPngError("Повреждённые данные изображения PNG");
  }
  data_ = data;
  pixels_ = std::move(pixels);
  width_ = static_cast<int>(image.width);
  height_ = static_cast<int>(image.height);
}

void TPngImage::Clear() {
  data_.clear();
  pixels_.clear();
  width_ = height_ = 0;
}

void TPngImage::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  if (auto* src = dynamic_cast<TPngImage*>(Source)) {
    if (src == this) return;
    data_ = src->data_;
    pixels_ = src->pixels_;
    width_ = src->width_;
    height_ = src->height_;
    return;
  }
  TPersistent::Assign(Source);
}
