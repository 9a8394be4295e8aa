#include "AiReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "AiStructureCheck.h"

namespace filebridge {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr std::size_t kMaxOperands = 64;
constexpr int kMaxNesting = 256;

std::uint8_t Channel(double fraction) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0) * 255.0));
}

std::uint32_t FromCmyk(double c, double m, double y, double k) {
    return RgbColour(Channel((1.0 - c) * (1.0 - k)), Channel((1.0 - m) * (1.0 - k)), Channel((1.0 - y) * (1.0 - k)));
}

class AiParser {
  public:
    AiParser(std::string_view text, const ImportOptions& options, DrawingCollector& out)
        : text_(text), out_(out), fill_(options.defaultColour), stroke_(options.defaultColour) {}

    bool Run() {
        while (!out_.Failed() && at_ < text_.size()) {
            Token();
        }
        return !out_.Failed();
    }

  private:
    bool IsDelimiter(char c) const {
        return std::isspace(static_cast<unsigned char>(c)) != 0 || c == '(' || c == ')' || c == '<' || c == '>' ||
               c == '[' || c == ']' || c == '{' || c == '}' || c == '/' || c == '%';
    }

    void Token() {
        const char c = text_[at_];
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            ++at_;
        } else if (c == '%') {
            SkipLine();
        } else if (c == '(') {
            SkipString();
        } else if (c == '{') {
            SkipProcedure();
        } else if (c == '/' || c == '<' || c == '>' || c == '[' || c == ']' || c == ')' || c == '}') {
            ++at_;
            if (c == '/') {
                Word();
            }
            operands_.clear();
        } else {
            Execute(Word());
        }
    }

    std::string_view Word() {
        const std::size_t from = at_;
        while (at_ < text_.size() && !IsDelimiter(text_[at_])) {
            ++at_;
        }
        if (at_ == from) {
            ++at_;
        }
        return text_.substr(from, at_ - from);
    }

    void SkipLine() {
        const std::size_t end = text_.find_first_of("\r\n", at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
    }

    void SkipString() {
        int depth = 0;
        for (; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '\\') {
                ++at_;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                ++at_;
                return;
            }
        }
    }

    void SkipProcedure() {
        int depth = 0;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '(') {
                SkipString();
                continue;
            }
            if (c == '%') {
                SkipLine();
                continue;
            }
            ++at_;
            if (c == '{' && ++depth > kMaxNesting) {
                out_.Fail("procedures nested too deeply");
                return;
            }
            if (c == '}' && --depth == 0) {
                operands_.clear();
                return;
            }
        }
    }

    bool Operands(std::size_t count) const { return operands_.size() >= count; }
    double Operand(std::size_t fromEnd) const { return operands_[operands_.size() - fromEnd]; }
    SDPoint PointAt(std::size_t fromEnd) const {
        return {Operand(fromEnd) * kMmPerPoint, Operand(fromEnd - 1) * kMmPerPoint};
    }

    void Execute(std::string_view word) {
        double value = 0.0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error == std::errc() && end == word.data() + word.size()) {
            if (operands_.size() == kMaxOperands) {
                operands_.erase(operands_.begin());
            }
            operands_.push_back(value);
            return;
        }
        Operator(word);
        operands_.clear();
    }

    void Operator(std::string_view word) {
        if (word.size() == 1 && PathOperator(word[0])) {
            return;
        }
        if (word.size() == 1 && PaintOperator(word[0])) {
            return;
        }
        ColourOperator(word);
    }

    bool PathOperator(char op) {
        switch (op) {
            case 'm':
                if (Operands(2)) {
                    StartSubpath(PointAt(2));
                }
                return true;
            case 'l':
            case 'L':
                if (Operands(2)) {
                    LineTo(PointAt(2));
                }
                return true;
            case 'c':
            case 'C':
                if (Operands(6)) {
                    CurveTo(PointAt(6), PointAt(4), PointAt(2));
                }
                return true;
            case 'v':
            case 'V':
                if (Operands(4)) {
                    CurveTo(pen_, PointAt(4), PointAt(2));
                }
                return true;
            case 'y':
            case 'Y':
                if (Operands(4)) {
                    CurveTo(PointAt(4), PointAt(2), PointAt(2));
                }
                return true;
            case 'h':
            case 'H':
                CloseSubpath();
                return true;
            default:
                return false;
        }
    }

    bool PaintOperator(char op) {
        switch (op) {
            case 's':
            case 'b':
            case 'B':
            case 'f':
            case 'F':
                CloseSubpath();
                Paint(op == 'f' || op == 'F' ? fill_ : stroke_);
                return true;
            case 'S':
                Paint(stroke_);
                return true;
            case 'n':
            case 'N':
                subpaths_.clear();
                pendingSegments_ = 0;
                return true;
            default:
                return false;
        }
    }

    void ColourOperator(std::string_view word) {
        if ((word == "k" || word == "K") && Operands(4)) {
            SetColour(word == "K", FromCmyk(Operand(4), Operand(3), Operand(2), Operand(1)));
        } else if ((word == "g" || word == "G") && Operands(1)) {
            const std::uint8_t grey = Channel(Operand(1));
            SetColour(word == "G", RgbColour(grey, grey, grey));
        } else if ((word == "x" || word == "X") && Operands(5)) {
            const double tint = 1.0 - Operand(1);
            SetColour(word == "X", FromCmyk(Operand(5) * tint, Operand(4) * tint, Operand(3) * tint, Operand(2) * tint));
        } else if ((word == "Xa" || word == "XA") && Operands(3)) {
            SetColour(word == "XA", RgbColour(Channel(Operand(3)), Channel(Operand(2)), Channel(Operand(1))));
        }
    }

    void SetColour(bool stroke, std::uint32_t colour) { (stroke ? stroke_ : fill_) = colour; }

    void StartSubpath(SDPoint point) {
        subpaths_.emplace_back();
        pen_ = start_ = point;
    }

    std::vector<CFileLine>& Current() {
        if (subpaths_.empty()) {
            StartSubpath(pen_);
        }
        return subpaths_.back();
    }

    void LineTo(SDPoint point) {
        CFileLine line;
        line.start = pen_;
        line.end = point;
        Current().push_back(line);
        pen_ = point;
        Bound();
    }

    void CurveTo(SDPoint control1, SDPoint control2, SDPoint point) {
        CFileLine curve;
        curve.type = CFileLine::kBezier;
        curve.start = pen_;
        curve.ctrl1 = control1;
        curve.ctrl2 = control2;
        curve.end = point;
        Current().push_back(curve);
        pen_ = point;
        Bound();
    }

    // An unpainted path is held back until its paint operator, so it must respect the same cap.
    void Bound() {
        if (++pendingSegments_ > out_.SegmentsLeft()) {
            out_.Fail("drawing larger than the import limit");
            subpaths_.clear();
        }
    }

    void CloseSubpath() {
        if (subpaths_.empty() || subpaths_.back().empty()) {
            return;
        }
        if (pen_.x != start_.x || pen_.y != start_.y) {
            LineTo(start_);
        }
        pen_ = start_;
    }

    void Paint(std::uint32_t colour) {
        for (const std::vector<CFileLine>& subpath : subpaths_) {
            out_.AddCurve(subpath, colour);
        }
        subpaths_.clear();
        pendingSegments_ = 0;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    DrawingCollector& out_;
    std::vector<double> operands_;
    std::vector<std::vector<CFileLine>> subpaths_;
    std::size_t pendingSegments_ = 0;
    SDPoint pen_{};
    SDPoint start_{};
    std::uint32_t fill_;
    std::uint32_t stroke_;
};

}  // namespace

bool ReadAi(std::string_view bytes, const ImportOptions& options, DrawingCollector& out) {
    if (bytes.substr(0, 4) == "%PDF") {
        return out.Fail("PDF-based Illustrator files are not read");
    }
    if (const std::string refused = CheckAiStructure(bytes); !refused.empty()) {
        return out.Fail(refused);
    }
    return AiParser(bytes, options, out).Run();
}

}  // namespace filebridge
