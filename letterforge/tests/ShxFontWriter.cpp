// Test shape fonts in the three layouts.
#include "ShxFontWriter.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace letterforge::testing {
namespace {

constexpr std::string_view kSignature = "AutoCAD-86";

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> SignatureBlock() {
    std::vector<std::uint8_t> out(kSignature.begin(), kSignature.end());
    out.resize(25, ' ');
    return out;
}

}  // namespace

std::vector<std::uint8_t> IndexLayoutFont(const Shapes& shapes) {
    std::vector<std::uint8_t> out(28, ' ');
    PutU16(out, static_cast<std::uint16_t>(shapes.size()));
    for (const auto& [code, definition] : shapes) {
        PutU16(out, code);
        PutU16(out, static_cast<std::uint16_t>(definition.size()));
    }
    for (const auto& shape : shapes) {
        out.insert(out.end(), shape.second.begin(), shape.second.end());
    }
    return out;
}

std::vector<std::uint8_t> SequentialLayoutFont(const Shapes& shapes) {
    std::vector<std::uint8_t> out = SignatureBlock();
    PutU16(out, 0);
    PutU16(out, 0);
    out.resize(out.size() + 48, 0);
    for (const auto& [code, definition] : shapes) {
        PutU16(out, code);
        PutU16(out, static_cast<std::uint16_t>(definition.size()));
        out.insert(out.end(), definition.begin(), definition.end());
    }
    return out;
}

std::vector<std::uint8_t> BigFont(const Shapes& shapes) {
    std::vector<std::uint8_t> out = SignatureBlock();
    PutU16(out, 8);
    PutU16(out, static_cast<std::uint16_t>(shapes.size()));
    PutU16(out, 1);
    PutU16(out, 0x81);
    PutU16(out, 0xFE);
    std::uint32_t offset = static_cast<std::uint32_t>(out.size() + 8 * shapes.size());
    for (const auto& [code, definition] : shapes) {
        PutU16(out, code);
        PutU16(out, static_cast<std::uint16_t>(definition.size()));
        PutU32(out, offset);
        offset += static_cast<std::uint32_t>(definition.size());
    }
    for (const auto& shape : shapes) {
        out.insert(out.end(), shape.second.begin(), shape.second.end());
    }
    return out;
}

std::filesystem::path InstallFont(std::string_view name, const std::vector<std::uint8_t>& bytes) {
    const char* home = std::getenv("CUTRIX_HOME");
    const std::filesystem::path folder = std::filesystem::path(home != nullptr ? home : ".") / "fonts";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / std::string(name);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace letterforge::testing
