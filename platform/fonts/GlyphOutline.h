// The outline of one glyph in the record form the text engine reads: polygons, each a 16-byte header
// (u32 byte count including the header, u32 type, start point) followed by curve records (u16 type,
// u16 point count, the points) until the byte count is used. Points are pairs of 16.16 fixed numbers,
// x then y, little-endian, in units of 16384 per em with y pointing up.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

constexpr double kOutlineUnitsPerEm = 16384.0;

constexpr std::uint32_t kOutlinePolygonType = 24;
constexpr std::size_t kOutlinePolygonHeaderBytes = 16;
constexpr std::size_t kOutlineRecordHeaderBytes = 4;
constexpr std::size_t kOutlinePointBytes = 8;

// Values of a curve record's type.
enum OutlineRecordType : std::uint16_t {
    kOutlineLines = 1,      // each point ends a straight segment
    kOutlineQuadratic = 2,  // off-curve points; between two of them the on-curve point is their midpoint
    kOutlineCubic = 3,      // triples: control 1, control 2, end
};

struct GlyphOutline {
    std::vector<std::uint8_t> records;
    double advanceX = 0.0;  // outline units
    double advanceY = 0.0;
};

}  // namespace platform
