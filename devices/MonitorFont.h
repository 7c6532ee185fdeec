// The monitor's character set: 256 glyphs of code page 866 in 8 x 12 cells, one bit per pixel.
// Letters, digits and signs come from DejaVu Sans Mono bold; the shades, blocks and box-drawing
// characters (B0h..DFh) are drawn by rule, so that frames join from cell to cell and double lines
// stay double at this size.
#pragma once

#include <array>
#include <cstdint>

namespace orlan {

inline constexpr int kGlyphWidth = 8;
inline constexpr int kGlyphHeight = 12;

// One row per byte, bit 7 the leftmost pixel.
using Glyph = std::array<uint8_t, kGlyphHeight>;

// Built on first use (needs the application object for the font).
const Glyph& monitorGlyph(uint8_t code);

}  // namespace orlan
