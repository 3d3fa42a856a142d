#include "cli/grey_picture.h"

#include <png.h>

namespace karvex::testing {

GreyPicture GreyPicture::FromPng(const std::string& path) {
  GreyPicture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return picture;
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> grey(PNG_IMAGE_SIZE(image));
  // Pictures with an alpha channel are laid on white.
  const png_color white{255, 255, 255};
  if (png_image_finish_read(&image, &white, grey.data(), 0, nullptr) == 0) return picture;
  picture.width_ = static_cast<std::int32_t>(image.width);
  picture.height_ = static_cast<std::int32_t>(image.height);
  picture.grey_ = std::move(grey);
  return picture;
}

int GreyPicture::Ink(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return 255 - grey_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

int GreyPicture::BlurredInk(std::int32_t x, std::int32_t y) const {
  int sum = 0;
  for (std::int32_t dy = -1; dy <= 1; ++dy) {
    for (std::int32_t dx = -1; dx <= 1; ++dx) sum += Ink(x + dx, y + dy);
  }
  return sum / 9;
}

}  // namespace karvex::testing
