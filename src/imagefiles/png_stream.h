#pragma once
// A sheet as a PNG through a stream the caller opened, for files the program
// opens itself relative to a folder it holds (the recovery copies), where a
// name would let a link in the folder redirect the write or the read.

#include <cstdio>
#include <optional>

#include "platform/raster.h"

namespace tw {

// 24 bits or an exact 8-bit palette, as a sheet's PNG save writes it. False
// when the encoder or the stream failed.
bool WriteSheetPng(FILE* out, const Raster& sheet);

// The picture when the stream holds a PNG of exactly width x height; the
// size is checked before anything is allocated for the pixels.
std::optional<Raster> ReadSheetPng(FILE* in, int width, int height);

}  // namespace tw
