// Writes 24-bit RGB images as PNG files, compressed by a small deflate of
// its own (fixed Huffman codes): no compression library needed.
#pragma once
#include <cstdint>
#include <vector>

namespace demo {

// rgb: width * height * 3 bytes, rows top to bottom.
bool WritePng(const char *path, int width, int height, const std::vector<uint8_t> &rgb);

}  // namespace demo
