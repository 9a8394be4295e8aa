// Enhanced metafiles for the tests, written record by record from the public record layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace filebridge::testing {

// Builds an enhanced metafile record by record, in the public record layout: every record a type word,
// a size word counting the whole record, then its little-endian fields.
class EmfWriter {
  public:
    EmfWriter& Record(std::uint32_t type, const std::vector<std::int32_t>& fields) {
        Put(body_, type);
        Put(body_, static_cast<std::uint32_t>(8 + 4 * fields.size()));
        for (const std::int32_t field : fields) {
            Put(body_, static_cast<std::uint32_t>(field));
        }
        ++records_;
        return *this;
    }

    // A record whose fields after the type and size words are given as bytes, padded to whole words.
    EmfWriter& Raw(std::uint32_t type, std::string fields) {
        fields.resize((fields.size() + 3) / 4 * 4, '\0');
        Put(body_, type);
        Put(body_, static_cast<std::uint32_t>(8 + fields.size()));
        body_ += fields;
        ++records_;
        return *this;
    }

    // Bounds in device pixels and the frame in hundredths of a millimetre, each left, top, right, bottom.
    std::string Bytes(const std::vector<std::int32_t>& bounds, const std::vector<std::int32_t>& frame) const {
        constexpr std::uint32_t kEof = 14;
        std::string tail = body_;
        for (const std::uint32_t word : {kEof, 20u, 0u, 16u, 20u}) {
            Put(tail, word);
        }
        std::vector<std::int32_t> header = bounds;
        header.insert(header.end(), frame.begin(), frame.end());
        const std::uint32_t total = static_cast<std::uint32_t>(88 + tail.size());
        for (const std::uint32_t word : {0x464D4520u, 0x10000u, total, records_ + 2, 1u, 0u, 0u, 0u}) {
            header.push_back(static_cast<std::int32_t>(word));
        }
        for (const std::int32_t word : {1000, 1000, 254, 254}) {
            header.push_back(word);
        }
        std::string bytes;
        Put(bytes, 1);
        Put(bytes, 88);
        for (const std::int32_t field : header) {
            Put(bytes, static_cast<std::uint32_t>(field));
        }
        return bytes + tail;
    }

    static void Put(std::string& bytes, std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
        }
    }

  private:
    std::string body_;
    std::uint32_t records_ = 0;
};

inline std::string Words(const std::vector<std::uint32_t>& words) {
    std::string bytes;
    for (const std::uint32_t word : words) {
        EmfWriter::Put(bytes, word);
    }
    return bytes;
}

}  // namespace filebridge::testing
