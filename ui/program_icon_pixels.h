#pragma once
// The window icon's pictures as 32-bit ARGB pixels, made from the program's PNG icons at build time.
#include <vector>

namespace tallyman::ui {

struct IconPixels {
  int size;                    // square
  const unsigned int* pixels;  // size * size, row by row
};

const std::vector<IconPixels>& WindowIconPixels();

}  // namespace tallyman::ui
