#pragma once
// Whether a raster picture is drawn with hard edges, pixel by pixel as the
// platform draws it (the default), or smooth: lines, outlines and glyphs
// blended into the picture by how much of each pixel they cover.
namespace karvex {

enum class Antialiasing { Off, On };

}  // namespace karvex
