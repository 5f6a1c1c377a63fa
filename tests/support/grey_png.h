#pragma once
// A PNG made byte by byte, for files no encoder would write.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw::test {

// A grey PNG of w x h whose image data goes on with `extraZeros` more bytes
// after the last row: the picture still loads. The data is split into IDAT
// chunks of at most chunkBytes. Rows are written only up to 4096 pixels wide,
// so a larger claim gives a header with too little data.
std::vector<uint8_t> GreyPng(uint32_t w, uint32_t h, size_t extraZeros, size_t chunkBytes = SIZE_MAX);

}  // namespace tw::test
