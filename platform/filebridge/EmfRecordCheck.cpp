#include "EmfRecordCheck.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace filebridge {

namespace {

constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kEndOfFile = 14;
constexpr std::uint32_t kLastKnownType = 122;
constexpr std::size_t kRecordHead = 8;  // type and size words

// The records' fields are little-endian words at byte offsets from the record's start.
class Record {
  public:
    Record(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::uint32_t Word(std::size_t at) const {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes_.data() + at, sizeof value);
        return value;
    }
    std::uint16_t Half(std::size_t at) const {
        std::uint16_t value = 0;
        std::memcpy(&value, bytes_.data() + at, sizeof value);
        return value;
    }
    // Whether `count` items of `itemBytes` from `offset` lie inside the record, without overflow.
    bool Holds(std::uint64_t offset, std::uint64_t count, std::uint64_t itemBytes) const {
        return offset <= Size() && count * itemBytes <= Size() - offset;
    }
    // Whether the word at `at` lies inside the record.
    bool HasWord(std::size_t at) const { return Holds(at, 1, 4); }

  private:
    std::string_view bytes_;
};

// The smallest size of each record kind that has fixed fields, by type; 0 for a kind this walk refuses.
constexpr std::array<std::uint8_t, kLastKnownType + 1> kMinimumSizes = [] {
    std::array<std::uint8_t, kLastKnownType + 1> sizes{};
    const std::pair<std::uint32_t, std::uint8_t> known[] = {
        {1, 88},   {2, 28},   {3, 28},   {4, 28},   {5, 28},    {6, 28},   {7, 32},    {8, 32},   {9, 16},
        {10, 16},  {11, 16},  {12, 16},  {13, 16},  {14, 20},   {15, 20},  {16, 12},   {17, 12},  {18, 12},
        {19, 12},  {20, 12},  {21, 12},  {22, 12},  {23, 32},   {24, 12},  {25, 12},   {26, 16},  {27, 16},
        {28, 8},   {29, 24},  {30, 24},  {31, 24},  {32, 24},   {33, 8},   {34, 12},   {35, 32},  {36, 36},
        {37, 12},  {38, 28},  {39, 24},  {40, 12},  {41, 28},   {42, 24},  {43, 24},   {44, 32},  {45, 40},
        {46, 40},  {47, 40},  {48, 12},  {49, 16},  {50, 20},   {51, 16},  {52, 8},    {53, 24},  {54, 16},
        {55, 40},  {56, 28},  {57, 12},  {58, 12},  {59, 8},    {60, 8},   {61, 8},    {62, 24},  {63, 24},
        {64, 24},  {65, 8},   {66, 8},   {67, 12},  {68, 8},    {70, 12},  {71, 32},   {72, 40},  {73, 28},
        {74, 28},  {75, 16},  {76, 100}, {77, 108}, {78, 128},  {79, 140}, {80, 76},   {81, 80},  {82, 104},
        {83, 60},  {84, 60},  {85, 28},  {86, 28},  {87, 28},   {88, 28},  {89, 28},   {90, 32},  {91, 32},
        {92, 28},  {93, 32},  {94, 32},  {95, 52},  {96, 40},   {97, 40},  {98, 12},   {100, 12}, {101, 12},
        {104, 48}, {108, 36}, {109, 16}, {111, 24}, {114, 108}, {115, 12}, {116, 108}, {118, 36}, {120, 16},
    };
    for (const auto& [type, size] : known) {
        sizes[type] = size;
    }
    return sizes;
}();

// An array of `count` items after a count word, as in the polyline and polygon records.
bool CountedArray(const Record& record, std::size_t countAt, std::size_t itemsAt, std::uint64_t itemBytes,
                  std::uint64_t extraBytesPerItem = 0) {
    return record.Holds(itemsAt, record.Word(countAt), itemBytes + extraBytesPerItem);
}

// Poly-polylines and poly-polygons: the figure counts, then the points; the figures together may not
// take more points than the record holds.
bool PolyPolyArrays(const Record& record, std::uint64_t pointBytes) {
    const std::uint32_t figures = record.Word(24), points = record.Word(28);
    if (!record.Holds(32, figures, 4) || !record.Holds(32 + 4ULL * figures, points, pointBytes)) {
        return false;
    }
    std::uint64_t total = 0;
    for (std::uint32_t figure = 0; figure < figures; ++figure) {
        total += record.Word(32 + 4ULL * figure);
    }
    return total <= points;
}

// A region: its 32-byte header, then its rectangles, within `length` bytes from `at`.
bool RegionData(const Record& record, std::size_t lengthAt, std::size_t at) {
    const std::uint32_t length = record.Word(lengthAt);
    if (length == 0) {
        return true;
    }
    if (!record.Holds(at, length, 1) || length < 32) {
        return false;
    }
    return record.Holds(at + 32, record.Word(at + 8), 16) && 32 + 16ULL * record.Word(at + 8) <= length;
}

// A packed bitmap given by offset and length of its info header and of its bits, both in the record,
// of a depth and compression whose pixel bytes the bits hold.
bool BitmapAt(const Record& record, std::size_t fields) {
    const std::uint32_t headerAt = record.Word(fields), headerBytes = record.Word(fields + 4);
    const std::uint32_t bitsAt = record.Word(fields + 8), bitsBytes = record.Word(fields + 12);
    if (headerBytes == 0 && bitsBytes == 0) {
        return true;
    }
    constexpr std::uint32_t kInfoHeaderBytes = 40;
    if (headerBytes < kInfoHeaderBytes || !record.Holds(headerAt, headerBytes, 1) ||
        !record.Holds(bitsAt, bitsBytes, 1)) {
        return false;
    }
    const std::uint32_t size = record.Word(headerAt);
    const std::int64_t width = static_cast<std::int32_t>(record.Word(headerAt + 4));
    const std::int64_t height = static_cast<std::int32_t>(record.Word(headerAt + 8));
    const std::uint16_t bitCount = record.Half(headerAt + 14);
    const std::uint32_t compression = record.Word(headerAt + 16);
    const std::uint32_t coloursUsed = record.Word(headerAt + 32);
    constexpr std::int64_t kMaxSide = 1 << 16;
    if (size < kInfoHeaderBytes || size > headerBytes || width <= 0 || width > kMaxSide || height == 0 ||
        height < -kMaxSide || height > kMaxSide) {
        return false;
    }
    constexpr std::uint32_t kRgb = 0, kBitfields = 3, kJpeg = 4, kPng = 5;
    if (compression == kJpeg || compression == kPng) {
        return bitsBytes > 0;
    }
    if (compression != kRgb && compression != kBitfields) {
        return false;  // run-length forms are decoded by the converter without bounds of its own
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        return false;
    }
    const std::uint64_t paletteSize = bitCount <= 8 ? 1ULL << bitCount : 0;
    if (coloursUsed > paletteSize && bitCount <= 8) {
        return false;
    }
    const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : paletteSize;
    const std::uint64_t masks = compression == kBitfields && size == kInfoHeaderBytes ? 12 : 0;
    if (size + masks + 4 * colours > headerBytes) {
        return false;
    }
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t rows =
        height < 0 ? static_cast<std::uint64_t>(-height) : static_cast<std::uint64_t>(height);
    return rowBytes * rows <= bitsBytes;
}

// The names of a logical font are read as terminated strings: each name the record holds must have its
// terminator within its own characters (the face name always, the full, style and script names of the longer
// forms when present).
bool HasTerminator(const Record& record, std::size_t at, std::size_t characters) {
    for (std::size_t i = 0; i < characters; ++i) {
        if (record.Half(at + 2 * i) == 0) {
            return true;
        }
    }
    return false;
}

bool FontNames(const Record& record) {
    struct Name {
        std::size_t at, characters;
    };
    constexpr Name kFace{40, 32}, kFullName{104, 64}, kStyle{232, 32}, kScript{296, 32};
    if (!HasTerminator(record, kFace.at, kFace.characters)) {
        return false;
    }
    for (const Name& name : {kFullName, kStyle, kScript}) {
        if (record.Holds(name.at, name.characters, 2) && !HasTerminator(record, name.at, name.characters)) {
            return false;
        }
    }
    return true;
}

// Options of a text run.
constexpr std::uint32_t kNoRectangle = 0x100;     // the run's clipping rectangle is left out
constexpr std::uint32_t kSmallChars = 0x200;      // one byte per character
constexpr std::uint32_t kPairedSpacing = 0x2000;  // two spacing words per character

// A text run at `at` (reference point, characters, string offset, options, rectangle unless left out,
// spacing offset): its string of `charBytes` per character and its spacing array lie in the record.
bool TextRun(const Record& record, std::size_t at, std::uint64_t charBytes) {
    constexpr std::size_t kFixedBytes = 20;
    if (!record.Holds(at, 1, kFixedBytes)) {
        return false;
    }
    const std::uint32_t characters = record.Word(at + 8), stringAt = record.Word(at + 12);
    const std::uint32_t options = record.Word(at + 16);
    const std::size_t spacingField = at + ((options & kNoRectangle) != 0 ? 20 : 36);
    if (!record.HasWord(spacingField)) {
        return false;
    }
    const std::uint64_t spacingBytes = (options & kPairedSpacing) != 0 ? 8 : 4;
    return record.Holds(stringAt, characters, charBytes) &&
           record.Holds(record.Word(spacingField), characters, spacingBytes);
}

// Runs of 40 bytes each after their count.
bool TextRuns(const Record& record, std::uint64_t charBytes) {
    constexpr std::size_t kCountAt = 36, kRunsAt = 40, kRunBytes = 40;
    const std::uint32_t runs = record.Word(kCountAt);
    if (!record.Holds(kRunsAt, runs, kRunBytes)) {
        return false;
    }
    for (std::uint32_t run = 0; run < runs; ++run) {
        if (!TextRun(record, kRunsAt + kRunBytes * run, charBytes)) {
            return false;
        }
    }
    return true;
}

// The short text record: its characters follow the fixed fields and the rectangle, unless left out.
bool SmallText(const Record& record) {
    const std::uint32_t characters = record.Word(16), options = record.Word(20);
    const std::size_t textAt = (options & kNoRectangle) != 0 ? 36 : 52;
    return record.Holds(textAt, characters, (options & kSmallChars) != 0 ? 1 : 2);
}

bool GradientFill(const Record& record) {
    constexpr std::uint32_t kTriangleMode = 2;
    const std::uint32_t vertices = record.Word(24), shapes = record.Word(28), mode = record.Word(32);
    if (!record.Holds(36, vertices, 16)) {
        return false;
    }
    const std::size_t shapesAt = 36 + 16ULL * vertices;
    const std::uint64_t corners = mode == kTriangleMode ? 3 : 2;
    if (!record.Holds(shapesAt, shapes, 4 * corners)) {
        return false;
    }
    for (std::uint64_t i = 0; i < shapes * corners; ++i) {
        if (record.Word(shapesAt + 4 * i) >= vertices) {
            return false;
        }
    }
    return true;
}

// The description is converted even when its length is 0, from wherever its offset points: a set offset
// must lie in the header, and a description must end with its terminator there.
bool HeaderRecord(const Record& record) {
    const std::uint32_t descriptionCharacters = record.Word(60), descriptionAt = record.Word(64);
    if (descriptionAt != 0 || descriptionCharacters != 0) {
        if (descriptionAt < 88 || descriptionCharacters == 0 ||
            !record.Holds(descriptionAt, descriptionCharacters, 2) ||
            record.Half(descriptionAt + 2 * (descriptionCharacters - 1)) != 0) {
            return false;
        }
    }
    if (record.Size() >= 100) {
        const std::uint32_t formatBytes = record.Word(88), formatAt = record.Word(92);
        if (formatBytes != 0 && (formatAt < 88 || !record.Holds(formatAt, formatBytes, 1))) {
            return false;
        }
    }
    return true;
}

// The checks of the records that point into themselves; fixed-size records need only their size.
bool InnerDataFits(std::uint32_t type, const Record& record) {
    switch (type) {
        case 1:
            return HeaderRecord(record);
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            return CountedArray(record, 24, 28, 8);
        case 7:
        case 8:
            return PolyPolyArrays(record, 8);
        case 14:
            return record.Word(8) == 0 ||
                   (record.Word(12) >= 16 && record.Holds(record.Word(12), record.Word(8), 4));
        case 49:
            return record.Holds(16, record.Half(14), 4);
        case 50:
            return CountedArray(record, 16, 20, 4);
        case 56:
            return CountedArray(record, 24, 28, 8, 1);
        case 70:
            return record.Holds(12, record.Word(8), 1);
        case 71:
        case 73:
        case 74:
            return RegionData(record, 24, type == 71 ? 32 : 28);
        case 72:
            return RegionData(record, 24, 40);
        case 75:
            return RegionData(record, 8, 16);
        case 76:
        case 77:
        case 114:
        case 116:
            return BitmapAt(record, 84);
        case 78:
            return BitmapAt(record, 84) && BitmapAt(record, 112);
        case 79:
            return BitmapAt(record, 96) && BitmapAt(record, 124);
        case 80:
        case 81:
            return BitmapAt(record, 48);
        case 82:
            return FontNames(record);
        case 83:
            return TextRun(record, 36, 1);
        case 84:
            return TextRun(record, 36, 2);
        case 85:
        case 86:
        case 87:
        case 88:
        case 89:
            return CountedArray(record, 24, 28, 4);
        case 90:
        case 91:
            return PolyPolyArrays(record, 4);
        case 92:
            return CountedArray(record, 24, 28, 4, 1);
        case 93:
        case 94:
            return BitmapAt(record, 16);
        case 95:
            return BitmapAt(record, 12) && CountedArray(record, 48, 52, 4);
        case 96:
            return TextRuns(record, 1);
        case 97:
            return TextRuns(record, 2);
        case 108:
            return SmallText(record);
        case 118:
            return GradientFill(record);
        default:
            return true;
    }
}

}  // namespace

std::optional<std::size_t> CheckEmfRecords(std::string_view bytes, std::string& failure) {
    std::size_t at = 0;
    while (true) {
        if (bytes.size() - at < kRecordHead) {
            failure = "unreadable metafile: it ends without its end record";
            return std::nullopt;
        }
        const Record head(bytes.substr(at, kRecordHead));
        const std::uint32_t type = head.Word(0), size = head.Word(4);
        if (size < kRecordHead || size % 4 != 0 || size > bytes.size() - at) {
            failure = "unreadable metafile: a record's size does not fit the file";
            return std::nullopt;
        }
        if ((at == 0) != (type == kHeader)) {
            failure = "unreadable metafile: the header is not the first record alone";
            return std::nullopt;
        }
        const Record record(bytes.substr(at, size));
        if (type > kLastKnownType || kMinimumSizes[type] == 0) {
            failure = "unreadable metafile: a record of unknown kind " + std::to_string(type);
            return std::nullopt;
        }
        if (size < kMinimumSizes[type] || !InnerDataFits(type, record)) {
            failure =
                "unreadable metafile: a record of kind " + std::to_string(type) + " points outside itself";
            return std::nullopt;
        }
        at += size;
        if (type == kEndOfFile) {
            return at;
        }
    }
}

}  // namespace filebridge
