#include "PltReader.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace filebridge {

namespace {

constexpr char kEndOfText = '\x03';

class PltParser {
  public:
    PltParser(std::string_view text, const ImportOptions& options, DrawingCollector& out)
        : text_(text), mmPerUnit_(25.4 / options.pltUnitsPerInch), options_(options), out_(out) {
        out_.SetColour(options.defaultColour);
    }

    bool Run() {
        while (!out_.Failed() && SkipToCommand()) {
            const char first = Upper(text_[at_]), second = Upper(text_[at_ + 1]);
            at_ += 2;
            Command(first, second);
        }
        out_.EndCurve();
        return !out_.Failed();
    }

  private:
    static char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
    static bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

    // Moves to the next two-letter mnemonic; false at the end of the text.
    bool SkipToCommand() {
        while (at_ < text_.size() && !IsLetter(text_[at_])) {
            ++at_;
        }
        return at_ + 1 < text_.size() && IsLetter(text_[at_ + 1]);
    }

    void SkipParameters() {
        while (at_ < text_.size() && text_[at_] != ';' && !IsLetter(text_[at_])) {
            ++at_;
        }
    }

    void SkipSeparators() {
        while (at_ < text_.size() && (text_[at_] == ',' || std::isspace(static_cast<unsigned char>(text_[at_])))) {
            ++at_;
        }
    }

    bool Number(double& value) {
        SkipSeparators();
        std::size_t from = at_;
        if (from < text_.size() && text_[from] == '+') {
            ++from;
        }
        const auto [end, error] = std::from_chars(text_.data() + from, text_.data() + text_.size(), value);
        if (error != std::errc()) {
            return false;
        }
        at_ = static_cast<std::size_t>(end - text_.data());
        return true;
    }

    void Command(char first, char second) {
        if (first == 'I' && second == 'N') {
            out_.EndCurve();
            penDown_ = false;
            relative_ = false;
            position_ = {};
        } else if (first == 'P' && (second == 'U' || second == 'D')) {
            SetPen(second == 'D');
            Pairs();
        } else if (first == 'P' && (second == 'A' || second == 'R')) {
            relative_ = second == 'R';
            Pairs();
        } else if (first == 'S' && second == 'P') {
            SelectPen();
        } else if (first == 'L' && second == 'B') {
            SkipLabel();
        } else if (first == 'D' && second == 'T') {
            SetLabelTerminator();
        } else {
            SkipParameters();
        }
    }

    void SetPen(bool down) {
        if (!down) {
            out_.EndCurve();
        }
        penDown_ = down;
    }

    void Pairs() {
        double x = 0.0, y = 0.0;
        while (!out_.Failed() && Number(x)) {
            if (!Number(y)) {
                out_.Fail("plotter coordinate pair without its y value");
                return;
            }
            MoveOrDraw(relative_ ? SDPoint{position_.x + x, position_.y + y} : SDPoint{x, y});
        }
        SkipParameters();
    }

    void MoveOrDraw(SDPoint units) {
        const SDPoint mm{units.x * mmPerUnit_, units.y * mmPerUnit_};
        if (!penDown_) {
            out_.MoveTo(mm);
        } else {
            if (!out_.IsOpenCurve()) {
                out_.MoveTo({position_.x * mmPerUnit_, position_.y * mmPerUnit_});
            }
            out_.LineTo(mm);
        }
        position_ = units;
    }

    void SelectPen() {
        double pen = 0.0;
        const bool given = Number(pen);
        SkipParameters();
        out_.EndCurve();
        const bool inTable = given && pen >= 1.0 && pen <= static_cast<double>(options_.layerColours.size());
        out_.SetColour(inTable ? options_.layerColours[static_cast<std::size_t>(pen) - 1] : options_.defaultColour);
    }

    void SkipLabel() {
        const std::size_t end = text_.find(terminator_, at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
    }

    void SetLabelTerminator() {
        if (at_ < text_.size() && text_[at_] != ';') {
            terminator_ = text_[at_++];
        }
        SkipParameters();
    }

    std::string_view text_;
    std::size_t at_ = 0;
    double mmPerUnit_;
    const ImportOptions& options_;
    DrawingCollector& out_;
    SDPoint position_{};  // plotter units
    bool penDown_ = false;
    bool relative_ = false;
    char terminator_ = kEndOfText;
};

}  // namespace

bool ReadPlt(std::string_view bytes, const ImportOptions& options, DrawingCollector& out) {
    return PltParser(bytes, options, out).Run();
}

}  // namespace filebridge
