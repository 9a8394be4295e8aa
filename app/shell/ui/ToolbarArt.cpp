// The button pictures as stroke programs, and the small interpreter that draws them.
#include "ToolbarArt.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct ButtonPicture {
    std::uint16_t id;
    std::string_view program;
};

// The pictures of the commands on the toolbars, by command id.
constexpr ButtonPicture kButtonPictures[] = {
    {57600, "w F4 2 9 12 k M3 1 L10 1 L13 4 L13 14 L3 14 L3 1 M10 1 L10 4 L13 4"},                 // New
    {57601, "y F2 5 11 8 k R1 4 12 9 M2 4 L4 2 L7 2 L8 4"},                                        // Open
    {57603, "b F2 2 12 12 w F4 3 8 5 s F5 10 6 4 k R2 2 11 11"},                                   // Save
    {32771, "k M2 10 L2 14 L13 14 L13 10 g M7 1 L7 9 T3 7 11 7 7 11"},                             // Import
    {32772, "k M2 10 L2 14 L13 14 L13 10 r M7 11 L7 4 T3 5 11 5 7 1"},                             // Export
    {57635, "k E2 10 4 4 E9 10 4 4 M5 10 L11 2 M10 10 L4 2"},                                      // Cut
    {57634, "w F2 2 7 9 k R1 1 7 9 w F7 5 7 9 k R6 4 7 9"},                                        // Copy
    {57637, "y F3 3 9 11 k R2 2 10 12 s F5 1 5 3 w F6 6 6 7 k R6 6 6 7"},                          // Paste
    {32781, "r M3 3 L12 12 M12 3 L3 12 M4 3 L13 12 M13 3 L4 12"},                                  // Delete
    {57643, "b M12 12 L12 7 L10 5 L4 5 T5 1 5 9 1 5"},                                             // Undo
    {57644, "b M3 12 L3 7 L5 5 L11 5 T10 1 10 9 14 5"},                                            // Redo
    {32773, "k M7 2 L7 13 M2 7 L13 7 T7 1 5 3 9 3 T7 14 5 12 9 12 T1 7 3 5 3 9 T14 7 12 5 12 9"},  // Pan
    {32774, "k E2 2 8 8 M9 9 L13 13 M10 9 L14 13 M4 6 L8 6"},                                      // Zoom out
    {32775, "k E2 2 8 8 M9 9 L13 13 M10 9 L14 13 M4 6 L8 6 M6 4 L6 8"},                            // Zoom in
    {32891, "s R1 1 13 13 k E3 3 7 7 M9 9 L13 13"},                  // Zoom rectangle
    {32777, "w F2 3 12 10 k R2 3 11 9 b R4 5 7 5"},                  // Page frame
    {32778, "b R3 3 9 9 k M5 10 L8 5 L11 10"},                       // Data frame
    {40059, "k R1 1 13 13 b E4 4 7 7"},                              // View all
    {40046, "k E1 4 13 8 b F6 6 4 4"},                               // Preview
    {32893, "r M2 12 L7 3 L13 11 k F1 11 3 3 F6 2 3 3 F12 10 3 3"},  // Show path
    {40004, "k E4 4 8 8 r M1 14 L5 10 M2 14 L6 10"},                 // Lead in and out
    {40002, "k R2 2 4 4 R9 9 4 4 b M6 6 L9 9"},                      // Processing order
    {32779, "k R2 3 11 10 r F1 1 4 4"},                              // Cut point
    {32780, "k R2 3 11 10 r M4 3 L10 3 T13 3 9 1 9 5"},              // Cut direction
    {32803, "s E3 3 9 9 k E3 3 9 9 E6 6 3 3 M7 1 L7 3 M7 12 L7 14 M1 7 L3 7 M12 7 L14 7"},  // Settings
    {40055, "k R1 1 13 13 b P4 4 P7 4 P10 4 P4 7 P7 7 P10 7 P4 10 P7 10 P10 10"},  // Light-guide plate

    {40035, "k M1 12 L14 12 b R5 10 4 4 k M11 2 L11 8 M8 5 L14 5"},         // Add nodes
    {40036, "k M1 12 L14 12 b R5 10 4 4 k M8 5 L14 5"},                     // Delete nodes
    {40038, "k M1 12 L6 8 M14 12 L9 8 b R6 6 3 3"},                         // Combine nodes
    {40039, "k M1 12 L5 8 M10 8 L14 12 b R4 6 3 3 R8 6 3 3"},               // Break curve
    {40040, "k M2 13 L13 2 b R1 12 2 2 R12 1 2 2"},                         // Segments to lines
    {40043, "k M2 13 L3 8 L6 4 L9 4 L12 8 L13 13 b R1 12 2 2 R12 12 2 2"},  // Segments to curves

    {32784, "k M3 1 L3 12 L6 9 L9 14 L10 13 L8 8 L12 8 L3 1"},        // Select
    {40012, "k M2 13 L7 3 L13 13 b F6 2 3 3 F1 12 3 3 F12 12 3 3"},   // Edit nodes
    {32785, "k M2 13 L13 2"},                                         // Line
    {32786, "k R2 3 11 9"},                                           // Rectangle
    {32787, "k E1 3 13 9"},                                           // Ellipse
    {32788, "k M7 1 L13 6 L11 13 L3 13 L1 6 L7 1"},                   // Polygon
    {32789, "k M3 13 L7 2 L8 2 L12 13 M5 9 L10 9"},                   // Text
    {40011, "k M7 2 L7 12 M2 7 L12 7 r F6 6 3 3"},                    // Point
    {40009, "k M1 12 L3 7 L5 4 L7 4 L8 7 L9 10 L11 11 L13 9 L14 4"},  // Curve
    {32791, "b E2 2 11 11 w F9 1 6 6 b T14 5 9 5 12 9"},              // Rotate
    {40020, "s F1 8 14 5 k R1 8 13 5 M3 6 L12 2 g M3 10 L12 10"},     // Capture

    {32792, "k M7 1 L7 14 b T5 3 5 11 1 11 T9 3 9 11 13 11"},                         // Mirror left-right
    {32793, "k M1 7 L14 7 b T3 5 11 5 11 1 T3 9 11 9 11 13"},                         // Mirror top-bottom
    {32795, "k R1 1 13 13 b R4 4 7 7 k M7 2 L7 5 M7 10 L7 13"},                       // Centre on page
    {32794, "b R2 2 4 4 R9 2 4 4 R2 9 4 4 R9 9 4 4"},                                 // Array copy
    {32796, "k M2 1 L2 14 b F3 3 10 3 F3 9 6 3"},                                     // Align left
    {32797, "k M13 1 L13 14 b F3 3 10 3 F7 9 6 3"},                                   // Align right
    {32798, "k M1 2 L14 2 b F3 3 3 10 F9 3 3 6"},                                     // Align top
    {32799, "k M1 13 L14 13 b F3 3 3 10 F9 7 3 6"},                                   // Align bottom
    {32800, "k M7 1 L7 14 b F2 3 11 3 F4 9 7 3"},                                     // Align centres across
    {32801, "k M1 7 L14 7 b F3 2 3 11 F9 4 3 7"},                                     // Align centres down
    {32802, "k R1 1 13 13 b F5 5 5 5"},                                               // Page centre
    {40005, "b F1 4 3 7 F6 4 3 7 F11 4 3 7 k M1 13 L14 13"},                          // Space across
    {40006, "b F4 1 7 3 F4 6 7 3 F4 11 7 3 k M13 1 L13 14"},                          // Space down
    {40007, "b F2 3 11 3 F2 9 11 3 k M2 1 L2 14 M13 1 L13 14"},                       // Same width
    {40008, "b F3 2 3 11 F9 2 3 11 k M1 2 L14 2 M1 13 L14 13"},                       // Same height
    {40010, "b F2 2 5 5 F8 8 5 5 k R2 2 4 4 R8 8 4 4"},                               // Same size
    {40021, "k R1 1 13 13 b R3 3 4 4 E8 8 5 5"},                                      // Group
    {40022, "s R1 1 13 13 b R3 3 4 4 E8 8 5 5"},                                      // Ungroup
    {40013, "k M3 12 L3 3 L12 3 L12 12 r M3 12 L12 12"},                              // Close curves
    {40015, "s M1 12 L4 4 L7 12 L10 4 L13 12 b M1 9 L4 6 L7 8 L10 6 L13 9"},          // Smooth
    {40001, "k M1 8 L6 8 M9 8 L14 8 r M6 8 L9 8"},                                    // Combine curves
    {40003, "k M1 5 L10 5 b M5 9 L14 9 r M5 5 L10 5 M5 6 L10 6"},                     // Delete overlap
    {40049, "k R4 4 7 7 b R1 1 13 13"},                                               // Offset
    {40060, "k R1 1 13 13 M1 5 L5 1 M1 9 L9 1 M1 13 L13 1 M5 14 L14 5 M9 14 L14 9"},  // Graphic hatch
};

constexpr std::string_view kPlainPicture = "s R2 2 11 11";

std::optional<QColor> ColourOf(std::string_view word) {
    static constexpr std::array<std::pair<char, QRgb>, 7> kColours = {{
        {'k', 0xFF000000},
        {'b', 0xFF0030C0},
        {'r', 0xFFC00000},
        {'g', 0xFF008000},
        {'s', 0xFF808080},
        {'y', 0xFFE0B000},
        {'w', 0xFFFFFFFF},
    }};
    if (word.size() != 1) {
        return std::nullopt;
    }
    for (const auto& [letter, rgb] : kColours) {
        if (letter == word[0]) {
            return QColor::fromRgb(rgb);
        }
    }
    return std::nullopt;
}

// The words of a program, read one at a time.
class ProgramReader {
  public:
    explicit ProgramReader(std::string_view program) : rest_(program) {}

    std::optional<std::string_view> Word() {
        if (!pending_.empty()) {
            return std::exchange(pending_, {});
        }
        const std::size_t start = rest_.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            return std::nullopt;
        }
        rest_.remove_prefix(start);
        const std::size_t end = std::min(rest_.find(' '), rest_.size());
        const std::string_view word = rest_.substr(0, end);
        rest_.remove_prefix(end);
        return word;
    }

    // The next `count` numbers; nothing when one is missing or not a number.
    std::optional<std::vector<int>> Numbers(int count) {
        std::vector<int> numbers;
        for (int index = 0; index < count; ++index) {
            const std::optional<std::string_view> word = Word();
            int value = 0;
            if (!word) {
                return std::nullopt;
            }
            const auto [end, error] = std::from_chars(word->data(), word->data() + word->size(), value);
            if (error != std::errc() || end != word->data() + word->size()) {
                return std::nullopt;
            }
            numbers.push_back(value);
        }
        return numbers;
    }

    // The word comes again from the next Word().
    void Unread(std::string_view word) { pending_ = word; }

  private:
    std::string_view rest_;
    std::string_view pending_;
};

int ArgumentCount(char command) {
    switch (command) {
        case 'M':
        case 'L':
        case 'P':
            return 2;
        case 'R':
        case 'F':
        case 'E':
            return 4;
        case 'T':
            return 6;
        default:
            return -1;
    }
}

void RunStroke(QPainter& painter, char command, const std::vector<int>& n, QPoint& pen) {
    switch (command) {
        case 'M':
            pen = QPoint(n[0], n[1]);
            break;
        case 'L':
            painter.drawLine(pen, QPoint(n[0], n[1]));
            pen = QPoint(n[0], n[1]);
            break;
        case 'P':
            painter.drawPoint(n[0], n[1]);
            break;
        case 'R':
            painter.drawRect(n[0], n[1], n[2], n[3]);
            break;
        case 'F':
            painter.fillRect(n[0], n[1], n[2], n[3], painter.pen().color());
            break;
        case 'E':
            painter.drawEllipse(n[0], n[1], n[2], n[3]);
            break;
        case 'T':
            painter.setBrush(painter.pen().color());
            painter.drawPolygon(QPolygon({QPoint(n[0], n[1]), QPoint(n[2], n[3]), QPoint(n[4], n[5])}));
            painter.setBrush(Qt::NoBrush);
            break;
        default:
            break;
    }
}

std::string_view ProgramOf(std::uint16_t id) {
    const auto found = std::ranges::find(kButtonPictures, id, &ButtonPicture::id);
    return found == std::end(kButtonPictures) ? kPlainPicture : found->program;
}

}  // namespace

bool DrawPicture(QImage& image, QPoint offset, std::string_view program) {
    QPainter painter(&image);
    painter.translate(offset);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    ProgramReader reader(program);
    QPoint pen;
    while (const std::optional<std::string_view> word = reader.Word()) {
        if (const std::optional<QColor> colour = ColourOf(*word)) {
            painter.setPen(QPen(*colour, 0));
            continue;
        }
        const int count = ArgumentCount((*word)[0]);
        if (count < 0) {
            return false;
        }
        if (word->size() > 1) {
            reader.Unread(word->substr(1));  // the command letter carries its first number
        }
        const std::optional<std::vector<int>> numbers = reader.Numbers(count);
        if (!numbers) {
            return false;
        }
        RunStroke(painter, (*word)[0], *numbers, pen);
    }
    return true;
}

QImage PaintToolbarStrip(std::span<const std::uint16_t> ids) {
    const auto buttons = std::ranges::count_if(ids, [](std::uint16_t id) { return id != 0; });
    QImage strip(static_cast<int>(std::max<std::ptrdiff_t>(buttons, 1)) * kButtonImageSize, kButtonImageSize,
                 QImage::Format_RGB32);
    strip.fill(kStripTransparent);
    int index = 0;
    for (const std::uint16_t id : ids) {
        if (id == 0) {
            continue;
        }
        DrawPicture(strip, QPoint(index * kButtonImageSize, 0), ProgramOf(id));
        ++index;
    }
    // Whatever a picture drew there, the corner keeps the transparent colour the toolbar reads from it.
    strip.setPixel(0, 0, kStripTransparent);
    return strip;
}

bool HasButtonPicture(std::uint16_t id) {
    return std::ranges::find(kButtonPictures, id, &ButtonPicture::id) != std::end(kButtonPictures);
}
