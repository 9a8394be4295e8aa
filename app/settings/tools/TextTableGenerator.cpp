// Build-time tool: turns the built-in text tables (texts/*.tsv) into C++ arrays, so that the program
// carries its texts as constant data while the source tree keeps them readable and diffable.
//
// Usage: TextTableGenerator <output.cpp> <symbol> <table.tsv> [<symbol> <table.tsv> ...]
// Each table line is: section <TAB> key <TAB> English <TAB> Simplified Chinese; lines starting with '#'
// are comments. Inside a text, \t stands for a tab and \\ for a backslash.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Entry {
    std::string section;
    std::string key;
    std::string english;
    std::string chinese;
};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<std::string> Unescape(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (i + 1 == field.size()) {
            return std::nullopt;
        }
        const char escaped = field[++i];
        if (escaped == 't') {
            text += '\t';
        } else if (escaped == '\\') {
            text += '\\';
        } else {
            return std::nullopt;
        }
    }
    return text;
}

std::vector<Entry> ReadTable(const std::string& path) {
    std::ifstream input(path, std::ios::binary);
    if (!input) {
        throw std::runtime_error(path + ": cannot be opened");
    }
    std::vector<Entry> entries;
    std::set<std::pair<std::string, std::string>> seen;
    std::string line;
    for (int lineNumber = 1; std::getline(input, line); ++lineNumber) {
        const std::string where = path + ":" + std::to_string(lineNumber) + ": ";
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.find('\r') != std::string::npos) {
            throw std::runtime_error(where + "carriage return in a table line");
        }
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() != 4 || fields[0].empty() || fields[1].empty()) {
            throw std::runtime_error(where + "expected section, key, English and Chinese");
        }
        const std::optional<std::string> english = Unescape(fields[2]);
        const std::optional<std::string> chinese = Unescape(fields[3]);
        if (!english || !chinese) {
            throw std::runtime_error(where + "unknown escape (only \\t and \\\\ are allowed)");
        }
        if (!seen.emplace(fields[0], fields[1]).second) {
            throw std::runtime_error(where + "duplicate key " + fields[0] + "/" + fields[1]);
        }
        entries.push_back({fields[0], fields[1], *english, *chinese});
    }
    return entries;
}

// A C++ string literal holding exactly the given bytes; UTF-8 passes through unchanged.
std::string Literal(const std::string& text) {
    std::string literal = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                literal += "\\\"";
                break;
            case '\\':
                literal += "\\\\";
                break;
            case '\t':
                literal += "\\t";
                break;
            case '?':
                literal += "\\?";
                break;  // never part of a trigraph
            default:
                if (c < 0x20 || c == 0x7F) {
                    char octal[8];
                    std::snprintf(octal, sizeof octal, "\\%03o", c);
                    literal += octal;
                } else {
                    literal += static_cast<char>(c);
                }
        }
    }
    return literal + "\"";
}

void WriteTable(std::ostream& out, const std::string& symbol, const std::vector<Entry>& entries) {
    out << "constexpr DefaultText " << symbol << "Entries[] = {\n";
    for (const Entry& entry : entries) {
        out << "    {" << Literal(entry.section) << ", " << Literal(entry.key) << ", "
            << Literal(entry.english) << ", " << Literal(entry.chinese) << "},\n";
    }
    out << "};\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::cerr << "usage: TextTableGenerator <output.cpp> <symbol> <table.tsv> [...]\n";
        return 2;
    }
    try {
        std::ostringstream out;
        out << "// Generated at build time from the built-in text tables; edit the tables, not this file.\n"
            << "#include \"DefaultTexts.h\"\n\nnamespace {\n\n";
        for (int arg = 2; arg < argc; arg += 2) {
            WriteTable(out, argv[arg], ReadTable(argv[arg + 1]));
            out << "\n";
        }
        out << "}  // namespace\n\n";
        for (int arg = 2; arg < argc; arg += 2) {
            out << "const std::span<const DefaultText> " << argv[arg] << "(" << argv[arg] << "Entries);\n";
        }
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file << out.str();
        if (!file.flush()) {
            throw std::runtime_error(std::string(argv[1]) + ": cannot be written");
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
