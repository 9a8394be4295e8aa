#include "StitchReader.h"

#include <charconv>
#include <cstdint>
#include <algorithm>
#include <optional>
#include <string>

#include "CutShort.h"

namespace filebridge {

namespace {

constexpr std::size_t kHeaderBytes = 512;
constexpr std::size_t kRecordBytes = 3;
constexpr double kMmPerUnit = 0.1;

enum class StitchKind { kStitch, kJump, kTrim, kColourChange, kEnd };

struct Stitch {
    StitchKind kind = StitchKind::kStitch;
    int dx = 0;
    int dy = 0;
};

// Draws the stitches: the needle position advances by every record, and stitches are joined into runs.
class StitchPlotter {
  public:
    StitchPlotter(const ImportOptions& options, DrawingCollector& out) : options_(options), out_(out) {
        out_.SetColour(options_.layerColours[0]);
    }

    // False once the file's end record is met.
    bool Record(const Stitch& stitch) {
        switch (stitch.kind) {
            case StitchKind::kEnd:
                return false;
            case StitchKind::kColourChange:
                out_.EndCurve();
                ++colour_;
                out_.SetColour(options_.layerColours[colour_ % options_.layerColours.size()]);
                break;
            case StitchKind::kJump:
            case StitchKind::kTrim:
                out_.EndCurve();
                break;
            case StitchKind::kStitch:
                if (!out_.IsOpenCurve()) {
                    out_.MoveTo(Mm());
                }
                break;
        }
        x_ += stitch.dx;
        y_ += stitch.dy;
        if (stitch.kind == StitchKind::kStitch) {
            out_.LineTo(Mm());
        }
        return !out_.Failed();
    }

    bool Finish() {
        out_.EndCurve();
        return !out_.Failed();
    }

  private:
    SDPoint Mm() const { return {static_cast<double>(x_) * kMmPerUnit, static_cast<double>(y_) * kMmPerUnit}; }

    const ImportOptions& options_;
    DrawingCollector& out_;
    long long x_ = 0;  // 0.1 mm; each record moves at most 121 units, so this cannot overflow
    long long y_ = 0;
    std::size_t colour_ = 0;
};

int Bit(std::uint8_t byte, std::uint8_t mask, int weight) { return (byte & mask) != 0 ? weight : 0; }

Stitch DecodeDst(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    Stitch stitch;
    stitch.dx = Bit(b0, 0x01, 1) - Bit(b0, 0x02, 1) + Bit(b0, 0x04, 9) - Bit(b0, 0x08, 9) + Bit(b1, 0x01, 3) -
                Bit(b1, 0x02, 3) + Bit(b1, 0x04, 27) - Bit(b1, 0x08, 27) + Bit(b2, 0x04, 81) - Bit(b2, 0x08, 81);
    stitch.dy = Bit(b0, 0x80, 1) - Bit(b0, 0x40, 1) + Bit(b0, 0x20, 9) - Bit(b0, 0x10, 9) + Bit(b1, 0x80, 3) -
                Bit(b1, 0x40, 3) + Bit(b1, 0x20, 27) - Bit(b1, 0x10, 27) + Bit(b2, 0x20, 81) - Bit(b2, 0x10, 81);
    if ((b2 & 0xF3) == 0xF3) {
        stitch.kind = StitchKind::kEnd;
    } else if ((b2 & 0xC3) == 0xC3) {
        stitch.kind = StitchKind::kColourChange;
    } else if ((b2 & 0x80) != 0) {
        stitch.kind = StitchKind::kJump;
    }
    return stitch;
}

Stitch DecodeDsb(std::uint8_t control, std::uint8_t y, std::uint8_t x) {
    Stitch stitch;
    stitch.dy = (control & 0x40) != 0 ? -y : y;
    stitch.dx = (control & 0x20) != 0 ? -x : x;
    if (control == 0xF8) {
        stitch.kind = StitchKind::kEnd;
    } else if (control >= 0xE8 && control <= 0xF7) {
        stitch.kind = StitchKind::kColourChange;
    } else if (control == 0xE7) {
        stitch.kind = StitchKind::kTrim;
    } else if ((control & 0x1F) != 0) {
        stitch.kind = StitchKind::kJump;
    }
    return stitch;
}

// The record count that the header's "ST:" field states, when it states one.
std::optional<std::size_t> StatedRecordCount(std::string_view header) {
    const std::size_t field = header.find("ST:");
    if (field == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view digits = header.substr(field + 3);
    digits.remove_prefix(std::min(digits.find_first_not_of(' '), digits.size()));
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (error != std::errc() || end == digits.data()) {
        return std::nullopt;
    }
    return count;
}

// Writers differ on whether the stated count includes the end record, so one record of slack is allowed.
template <typename Decode>
bool ReadStitches(std::string_view bytes, const ImportOptions& options, DrawingCollector& out, Decode decode) {
    if (bytes.size() < kHeaderBytes) {
        return out.Fail(CutShortReason("stitch file shorter than its 512-byte header"));
    }
    StitchPlotter plotter(options, out);
    std::size_t records = 0;
    bool ended = false;
    for (std::size_t at = kHeaderBytes; !ended && at + kRecordBytes <= bytes.size(); at += kRecordBytes) {
        const auto byte = [&](std::size_t offset) { return static_cast<std::uint8_t>(bytes[at + offset]); };
        const Stitch stitch = decode(byte(0), byte(1), byte(2));
        ended = stitch.kind == StitchKind::kEnd;
        records += ended ? 0 : 1;
        if (!plotter.Record(stitch) && !ended) {
            return false;
        }
    }
    if (!ended) {
        return out.Fail(CutShortReason("the end record is missing"));
    }
    const std::optional<std::size_t> stated = StatedRecordCount(bytes.substr(0, kHeaderBytes));
    if (stated && records + 1 < *stated) {
        return out.Fail(CutShortReason("the header states " + std::to_string(*stated) + " stitches, the file holds " +
                                       std::to_string(records)));
    }
    return plotter.Finish();
}

}  // namespace

bool ReadDst(std::string_view bytes, const ImportOptions& options, DrawingCollector& out) {
    return ReadStitches(bytes, options, out, DecodeDst);
}

bool ReadDsb(std::string_view bytes, const ImportOptions& options, DrawingCollector& out) {
    return ReadStitches(bytes, options, out, DecodeDsb);
}

}  // namespace filebridge
