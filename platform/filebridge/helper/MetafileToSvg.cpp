// The metafile converter's own process: one enhanced metafile, read whole from standard input, comes out
// as SVG text on standard output; exit status 0 when converted, 1 when the converter refuses the records,
// 2 when the input or output fails. The file library runs it apart from the program because the
// converter's text path ends fontconfig for its whole process, which stops a program that holds fonts.
#include <emf2svg.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kConverted = 0;
constexpr int kRefused = 1;
constexpr int kBrokenChannel = 2;

struct SvgRelease {
    void operator()(char* text) const { std::free(text); }
};

bool ReadAll(std::FILE* input, std::vector<char>& bytes) {
    constexpr std::size_t kChunk = 1 << 16;
    std::size_t length = 0;
    while (true) {
        bytes.resize(length + kChunk);
        const std::size_t read = std::fread(bytes.data() + length, 1, kChunk, input);
        length += read;
        if (read < kChunk) {
            bytes.resize(length);
            return std::ferror(input) == 0;
        }
    }
}

}  // namespace

int main() {
    std::vector<char> metafile;
    if (!ReadAll(stdin, metafile)) {
        return kBrokenChannel;
    }
    // No name-space prefix: the converter would allocate one and never free it.
    generatorOptions options{nullptr, false, true, true, 0.0, 0.0};
    char* text = nullptr;
    std::size_t length = 0;
    const int converted = emf2svg(metafile.data(), metafile.size(), &text, &length, &options);
    const std::unique_ptr<char, SvgRelease> owned(text);
    if (converted != 1 || text == nullptr) {
        return kRefused;
    }
    const bool written = std::fwrite(text, 1, length, stdout) == length && std::fflush(stdout) == 0;
    return written ? kConverted : kBrokenChannel;
}
