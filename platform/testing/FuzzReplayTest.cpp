// Replays a fuzz target's checked-in corpus, and a fixed batch of mutations of it, as ordinary tests, so
// that every input that once found a fault keeps being checked. Compiled into each replay executable
// beside the target's LLVMFuzzerTestOneInput; CUTRIX_FUZZ_CORPUS names the corpus folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMutationsPerSeed = 2000;
constexpr std::uint32_t kMutationSeed = 7041;
constexpr std::size_t kHeaderBytes = 40;  // mutations favour the front, where sizes and counts live

std::vector<Bytes> LoadCorpus() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(CUTRIX_FUZZ_CORPUS)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<Bytes> corpus;
    for (const auto& file : files) {
        std::ifstream stream(file, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }
    return corpus;
}

int RunTarget(const Bytes& input) { return LLVMFuzzerTestOneInput(input.data(), input.size()); }

// One random edit of the kinds a fuzzer makes: flip a bit, overwrite, insert or erase a byte, or cut
// the tail.
Bytes Mutate(Bytes input, std::mt19937& random) {
    const auto pick = [&](std::size_t bound) { return bound == 0 ? 0 : random() % bound; };
    const auto position = [&]() {
        return random() % 2 == 0 ? pick(std::min(input.size(), kHeaderBytes)) : pick(input.size());
    };
    switch (random() % 5) {
        case 0:
            if (!input.empty()) {
                input[position()] ^= static_cast<std::uint8_t>(1u << pick(8));
            }
            break;
        case 1:
            if (!input.empty()) {
                input[position()] = static_cast<std::uint8_t>(random());
            }
            break;
        case 2:
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(pick(input.size() + 1)),
                         static_cast<std::uint8_t>(random()));
            break;
        case 3:
            if (!input.empty()) {
                input.erase(input.begin() + static_cast<std::ptrdiff_t>(position()));
            }
            break;
        default:
            input.resize(pick(input.size() + 1));
            break;
    }
    return input;
}

TEST(FuzzReplay, CorpusSeedsPass) {
    const std::vector<Bytes> corpus = LoadCorpus();
    ASSERT_FALSE(corpus.empty());
    for (const Bytes& seed : corpus) {
        EXPECT_EQ(RunTarget(seed), 0);
    }
}

TEST(FuzzReplay, MutatedSeedsPass) {
    std::mt19937 random(kMutationSeed);
    for (const Bytes& seed : LoadCorpus()) {
        Bytes input = seed;
        for (int mutation = 0; mutation < kMutationsPerSeed; ++mutation) {
            input = Mutate(random() % 4 == 0 ? seed : input, random);
            ASSERT_EQ(RunTarget(input), 0);
        }
    }
}

}  // namespace
