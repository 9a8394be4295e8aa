// Replays the packed bitmap fuzz corpus, and a fixed batch of mutations of it, through the fuzz target,
// so that every input that once broke the check keeps being checked in ordinary test runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <vector>

#include "AtomicFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMutationsPerSeed = 3000;
constexpr std::uint32_t kMutationSeed = 7041;

std::vector<Bytes> LoadCorpus() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(DIB_FUZZ_CORPUS_DIR)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<Bytes> corpus;
    for (const auto& file : files) {
        corpus.push_back(platform::ReadWholeFile(file).value());
    }
    return corpus;
}

int RunTarget(const Bytes& input) {
    return LLVMFuzzerTestOneInput(input.data(), input.size());
}

// One random edit of the kinds a fuzzer makes, weighted toward the header where the sizes live: flip a
// bit, overwrite a byte, insert or erase one, or cut the tail.
Bytes Mutate(Bytes input, std::mt19937& random) {
    const auto pick = [&](std::size_t bound) { return bound == 0 ? 0 : random() % bound; };
    const auto position = [&]() {
        return random() % 2 == 0 ? pick(std::min<std::size_t>(input.size(), 40)) : pick(input.size());
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

TEST(PackedDibFuzzReplay, CorpusSeedsPass) {
    const std::vector<Bytes> corpus = LoadCorpus();
    ASSERT_GE(corpus.size(), 8u);
    for (const Bytes& seed : corpus) {
        EXPECT_EQ(RunTarget(seed), 0);
    }
}

TEST(PackedDibFuzzReplay, MutatedSeedsPass) {
    const std::vector<Bytes> corpus = LoadCorpus();
    std::mt19937 random(kMutationSeed);
    for (const Bytes& seed : corpus) {
        Bytes input = seed;
        for (int mutation = 0; mutation < kMutationsPerSeed; ++mutation) {
            input = Mutate(random() % 4 == 0 ? seed : input, random);
            ASSERT_EQ(RunTarget(input), 0);
        }
    }
}

}  // namespace
