#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes 8-bit RGB pixels (rows top to bottom, 3 bytes a pixel) as a PNG
// file image; empty when compression fails.
std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgb);
