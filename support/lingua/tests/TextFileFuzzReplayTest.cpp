// Replays the text file fuzz corpus, so that every input that once found a fault stays a test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(TextFileFuzzCorpus, EveryInputLoadsWithoutFault) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LINGUA_FUZZ_CORPUS)) {
        SCOPED_TRACE(entry.path().string());
        std::ifstream stream(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(stream), {}};
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}
