// Frames: what is built reads back, and nothing a frame claims about itself is believed unchecked.
#include "Crc32.h"
#include "Frame.h"

#include <gtest/gtest.h>

#include <functional>

namespace motionlink::link {
namespace {

Frame SampleFrame() {
    Frame frame;
    frame.kind = FrameKind::kAnswer;
    frame.command = static_cast<std::uint16_t>(Command::kGetDocumentPage);
    frame.sequence = 0xBEEF;
    frame.session = 0x12345678;
    frame.status = 4;
    frame.payload = {1, 2, 3, 0xFF, 0};
    return frame;
}

void ExpectSameFrame(const Frame& expected, const Frame& actual) {
    EXPECT_EQ(expected.kind, actual.kind);
    EXPECT_EQ(expected.command, actual.command);
    EXPECT_EQ(expected.sequence, actual.sequence);
    EXPECT_EQ(expected.session, actual.session);
    EXPECT_EQ(expected.status, actual.status);
    EXPECT_EQ(expected.payload, actual.payload);
}

// Rewrites the checksum after a deliberate change, so that only the changed field can be refused.
void Reseal(std::vector<std::uint8_t>& bytes) {
    const std::size_t body = bytes.size() - kChecksumBytes;
    const std::uint32_t crc = Crc32(std::span(bytes).first(body));
    for (std::size_t at = 0; at < kChecksumBytes; ++at) {
        bytes[body + at] = static_cast<std::uint8_t>(crc >> (8 * at));
    }
}

TEST(FrameTest, EncodedFrameParsesBackToTheSameFields) {
    const Frame frame = SampleFrame();
    const std::optional<Frame> parsed = ParseFrame(EncodeFrame(frame));
    ASSERT_TRUE(parsed);
    ExpectSameFrame(frame, *parsed);
}

TEST(FrameTest, LargestPayloadFitsOneFrame) {
    Frame frame = SampleFrame();
    frame.payload.assign(kMaxPayloadBytes, 0xA5);
    const std::vector<std::uint8_t> bytes = EncodeFrame(frame);
    EXPECT_EQ(bytes.size(), kMaxFrameBytes);
    ASSERT_TRUE(ParseFrame(bytes));
}

struct DamageCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
};

TEST(FrameTest, DamagedDatagramsAreRefused) {
    const std::vector<DamageCase> cases = {
        {"empty", [](auto& b) { b.clear(); }},
        {"header only", [](auto& b) { b.resize(kHeaderBytes); }},
        {"one byte short", [](auto& b) { b.pop_back(); }},
        {"one byte extra", [](auto& b) { b.push_back(0); }},
        {"payload bit flipped", [](auto& b) { b[kHeaderBytes] ^= 0x01; }},
        {"checksum bit flipped", [](auto& b) { b.back() ^= 0x80; }},
        {"wrong magic",
         [](auto& b) {
             b[0] = 'X';
             Reseal(b);
         }},
        {"other protocol version",
         [](auto& b) {
             b[2] = kProtocolVersion + 1;
             Reseal(b);
         }},
        {"unknown frame kind",
         [](auto& b) {
             b[3] = 7;
             Reseal(b);
         }},
        {"length claims more than arrived",
         [](auto& b) {
             b[14] += 1;
             Reseal(b);
         }},
        {"length claims less than arrived",
         [](auto& b) {
             b[14] -= 1;
             Reseal(b);
         }},
        {"length beyond the largest payload",
         [](auto& b) {
             b[14] = 0xFF;
             b[15] = 0xFF;
             Reseal(b);
         }},
    };
    for (const DamageCase& testCase : cases) {
        std::vector<std::uint8_t> bytes = EncodeFrame(SampleFrame());
        testCase.damage(bytes);
        EXPECT_FALSE(ParseFrame(bytes)) << testCase.name;
    }
}

TEST(FrameStreamDecoderTest, FramesSplitAcrossReadsAreReassembled) {
    const std::vector<std::uint8_t> bytes = EncodeFrame(SampleFrame());
    FrameStreamDecoder decoder;
    for (std::uint8_t byte : bytes) {
        EXPECT_FALSE(decoder.Next());
        decoder.Feed(std::span(&byte, 1));
    }
    const std::optional<Frame> frame = decoder.Next();
    ASSERT_TRUE(frame);
    ExpectSameFrame(SampleFrame(), *frame);
    EXPECT_EQ(decoder.BufferedBytes(), 0u);
}

TEST(FrameStreamDecoderTest, NoiseAndABrokenFrameAreSkippedUpToTheNextGoodFrame) {
    Frame second = SampleFrame();
    second.sequence = 2;
    std::vector<std::uint8_t> broken = EncodeFrame(SampleFrame());
    broken[kHeaderBytes + 1] ^= 0xFF;
    std::vector<std::uint8_t> stream = {'M', 0x00, 'M', 'L', 0x13};  // noise with false starts
    stream.insert(stream.end(), broken.begin(), broken.end());
    const std::vector<std::uint8_t> good = EncodeFrame(second);
    stream.insert(stream.end(), good.begin(), good.end());

    FrameStreamDecoder decoder;
    decoder.Feed(stream);
    const std::optional<Frame> frame = decoder.Next();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->sequence, 2);
    EXPECT_FALSE(decoder.Next());
}

TEST(FrameStreamDecoderTest, HeaderClaimingAHugeLengthDoesNotHoldUpLaterFrames) {
    std::vector<std::uint8_t> liar = EncodeFrame(SampleFrame());
    liar.resize(kHeaderBytes);
    liar[14] = 0xFF;
    liar[15] = 0xFF;
    const std::vector<std::uint8_t> good = EncodeFrame(SampleFrame());
    FrameStreamDecoder decoder;
    decoder.Feed(liar);
    decoder.Feed(good);
    EXPECT_TRUE(decoder.Next());
}

TEST(FrameStreamDecoderTest, BufferStaysBoundedWhenNobodyAsksForFrames) {
    FrameStreamDecoder decoder;
    const std::vector<std::uint8_t> noise(100000, 'M');
    decoder.Feed(noise);
    EXPECT_LE(decoder.BufferedBytes(), 4 * kMaxFrameBytes);
}

TEST(Crc32Test, MatchesTheCheckValueAndContinues) {
    const std::uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc32(digits), 0xCBF43926u);
    EXPECT_EQ(Crc32Update(Crc32(std::span(digits).first(4)), std::span(digits).subspan(4)), 0xCBF43926u);
}

// The checksum takes eight bytes a step: every length and every split point around those steps gives the
// value of the plain bit-by-bit definition.
TEST(Crc32Test, EveryLengthAndSplitAgreesWithTheBitwiseDefinition) {
    const auto bitwise = [](std::span<const std::uint8_t> bytes) {
        std::uint32_t value = 0xFFFFFFFFu;
        for (const std::uint8_t byte : bytes) {
            value ^= byte;
            for (int bit = 0; bit < 8; ++bit) {
                value = (value & 1) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
            }
        }
        return ~value;
    };
    std::vector<std::uint8_t> bytes(67);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        bytes[at] = static_cast<std::uint8_t>(at * 151 + 7);
    }
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        const std::span<const std::uint8_t> piece = std::span(bytes).first(length);
        ASSERT_EQ(Crc32(piece), bitwise(piece)) << "length " << length;
        for (std::size_t split = 0; split <= length; split += 3) {
            ASSERT_EQ(Crc32Update(Crc32(piece.first(split)), piece.subspan(split)), bitwise(piece))
                << "length " << length << " split " << split;
        }
    }
}

}  // namespace
}  // namespace motionlink::link
