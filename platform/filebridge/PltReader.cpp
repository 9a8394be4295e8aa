#include "PltReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace filebridge {

namespace {

constexpr char kEndOfText = '\x03';
// A plotter draws arcs and circles as chords: 5 degrees each unless the file says otherwise, and never
// finer than half a degree or coarser than a half turn.
constexpr double kDefaultChordDegrees = 5.0;
constexpr double kFinestChordDegrees = 0.5;
constexpr double kCoarsestChordDegrees = 180.0;
// More chords than this in one arc is no drawing but an attempt to exhaust memory.
constexpr double kMaxChordsPerArc = 100000.0;
constexpr double kSameUnits = 1e-9;  // plotter units
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

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
        while (at_ < text_.size() &&
               (text_[at_] == ',' || std::isspace(static_cast<unsigned char>(text_[at_])))) {
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
        } else if (first == 'C' && second == 'I') {
            Circle();
        } else if (first == 'A' && (second == 'A' || second == 'R')) {
            Arc(second == 'R');
        } else if (first == 'E' && (second == 'A' || second == 'R')) {
            EdgeRectangle(second == 'R');
        } else if (first == 'E' && second == 'W') {
            EdgeWedge();
        } else if (first == 'C' && second == 'T') {
            ChordToleranceMode();
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

    // CI radius[,chord]: a circle about the pen, which stays where it was.
    void Circle() {
        double radius = 0.0;
        if (!Number(radius)) {
            SkipParameters();
            return;
        }
        const double chord = ChordDegrees(std::fabs(radius));
        SkipParameters();
        const SDPoint centre = position_;
        std::vector<SDPoint> outline{{centre.x + radius, centre.y}};
        AppendChords(centre, radius, 0.0, 360.0, chord, outline);
        DrawClosedShape(outline);
    }

    // AA x,y,sweep[,chord] about an absolute centre, AR about one relative to the pen: the pen travels
    // along the arc and draws it when down.
    void Arc(bool relativeCentre) {
        double x = 0.0, y = 0.0, sweep = 0.0;
        if (!Number(x) || !Number(y) || !Number(sweep)) {
            SkipParameters();
            return;
        }
        const SDPoint centre = relativeCentre ? SDPoint{position_.x + x, position_.y + y} : SDPoint{x, y};
        const double radius = std::hypot(position_.x - centre.x, position_.y - centre.y);
        const double chord = ChordDegrees(radius);
        SkipParameters();
        const double start = std::atan2(position_.y - centre.y, position_.x - centre.x) / kRadiansPerDegree;
        std::vector<SDPoint> path;
        AppendChords(centre, radius, start, sweep, chord, path);
        for (const SDPoint& point : path) {
            MoveOrDraw(point);
        }
    }

    // EA x,y and ER dx,dy: the outline of the rectangle from the pen to the opposite corner.
    void EdgeRectangle(bool relativeCorner) {
        double x = 0.0, y = 0.0;
        if (!Number(x) || !Number(y)) {
            SkipParameters();
            return;
        }
        SkipParameters();
        const SDPoint from = position_;
        const SDPoint to = relativeCorner ? SDPoint{from.x + x, from.y + y} : SDPoint{x, y};
        DrawClosedShape({from, {to.x, from.y}, to, {from.x, to.y}});
    }

    // EW radius,start,sweep[,chord]: the outline of a wedge of the circle about the pen.
    void EdgeWedge() {
        double radius = 0.0, start = 0.0, sweep = 0.0;
        if (!Number(radius) || !Number(start) || !Number(sweep)) {
            SkipParameters();
            return;
        }
        const double chord = ChordDegrees(std::fabs(radius));
        SkipParameters();
        const SDPoint centre = position_;
        const double firstRadians = start * kRadiansPerDegree;
        std::vector<SDPoint> outline{
            centre, {centre.x + radius * std::cos(firstRadians), centre.y + radius * std::sin(firstRadians)}};
        AppendChords(centre, radius, start, std::clamp(sweep, -360.0, 360.0), chord, outline);
        DrawClosedShape(outline);
    }

    // CT0: the chord parameter of the arc commands is an angle in degrees; CT1: the greatest distance in
    // plotter units between a chord and its arc.
    void ChordToleranceMode() {
        double mode = 0.0;
        chordIsDeviation_ = Number(mode) && mode == 1.0;
        SkipParameters();
    }

    // The chord angle of an arc of `radius` plotter units: the optional parameter that follows, else
    // the plotter's default.
    double ChordDegrees(double radius) {
        double given = 0.0;
        if (!Number(given) || !std::isfinite(given)) {
            return kDefaultChordDegrees;
        }
        double degrees = std::fabs(given);
        if (chordIsDeviation_) {
            degrees = radius > 0.0
                          ? 2.0 * std::acos(std::clamp(1.0 - degrees / radius, -1.0, 1.0)) / kRadiansPerDegree
                          : kCoarsestChordDegrees;
        }
        return std::clamp(degrees, kFinestChordDegrees, kCoarsestChordDegrees);
    }

    // Appends the chord ends of the arc of `radius` about `centre` from `startDegrees` over
    // `sweepDegrees` (counter-clockwise when positive), the start itself left out: equal chords, each
    // over no more than `chordDegrees`. A negative radius starts on the opposite side, as plotters draw.
    static void AppendChords(SDPoint centre, double radius, double startDegrees, double sweepDegrees,
                             double chordDegrees, std::vector<SDPoint>& points) {
        if (!std::isfinite(sweepDegrees) || sweepDegrees == 0.0) {
            return;
        }
        const double chords = std::min(kMaxChordsPerArc, std::ceil(std::fabs(sweepDegrees) / chordDegrees));
        for (double step = 1.0; step <= chords; step += 1.0) {
            const double radians = (startDegrees + sweepDegrees * step / chords) * kRadiansPerDegree;
            points.push_back({centre.x + radius * std::cos(radians), centre.y + radius * std::sin(radians)});
        }
    }

    // A shape drawn whatever the pen's state, as a closed curve of its own; the pen stays where it was.
    void DrawClosedShape(const std::vector<SDPoint>& outline) {
        out_.EndCurve();
        const SDPoint first = outline.front();
        out_.MoveTo(Mm(first));
        for (std::size_t i = 1; i < outline.size(); ++i) {
            // A full turn ends on its start up to the rounding of the sine: closing ends it there exactly.
            const bool backAtStart = i + 1 == outline.size() &&
                                     std::hypot(outline[i].x - first.x, outline[i].y - first.y) < kSameUnits;
            if (!backAtStart) {
                out_.LineTo(Mm(outline[i]));
            }
        }
        out_.ClosePath();
        out_.EndCurve();
    }

    SDPoint Mm(SDPoint units) const { return {units.x * mmPerUnit_, units.y * mmPerUnit_}; }

    void SelectPen() {
        double pen = 0.0;
        const bool given = Number(pen);
        SkipParameters();
        out_.EndCurve();
        const bool inTable = given && pen >= 1.0 && pen <= static_cast<double>(options_.layerColours.size());
        out_.SetColour(inTable ? options_.layerColours[static_cast<std::size_t>(pen) - 1]
                               : options_.defaultColour);
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
    bool chordIsDeviation_ = false;
    char terminator_ = kEndOfText;
};

}  // namespace

bool ReadPlt(std::string_view bytes, const ImportOptions& options, DrawingCollector& out) {
    return PltParser(bytes, options, out).Run();
}

}  // namespace filebridge
