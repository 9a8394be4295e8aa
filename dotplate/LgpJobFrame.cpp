#include "LgpJobFrame.h"

#include <algorithm>

namespace dotplate {

LgpJobFrame LgpJobFrame::For(const LgpBox& plate, std::uint16_t originCorner, std::uint16_t headPosition) {
    LgpJobFrame frame;
    frame.originCorner = originCorner;
    frame.headPosition = headPosition;
    frame.plate = plate;
    static constexpr std::int16_t kSigns[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    const int corner = originCorner < 4 ? originCorner : 3;
    frame.signX = kSigns[corner][0];
    frame.signY = kSigns[corner][1];
    const double width = frame.signX * (plate.right - plate.left);
    const double height = frame.signY * (plate.top - plate.bottom);
    const int anchor = headPosition <= 8 ? headPosition : 4;
    const double columnOrigin[3] = {0.0, width / 2, width};
    const double rowOrigin[3] = {height, height / 2, 0.0};
    frame.originX = columnOrigin[anchor % 3];
    frame.originY = rowOrigin[anchor / 3];
    return frame;
}

SDPoint LgpJobFrame::ToJobCoord(double x, double y) const {
    return {(x - plate.left) * signX - originX, (y - plate.bottom) * signY - originY};
}

LgpJobBox LgpJobFrame::JobBox() const {
    const double left = -originX, right = signX * (plate.right - plate.left) - originX;
    const double top = -originY, bottom = signY * (plate.top - plate.bottom) - originY;
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

double LookupReverseInterval(const std::vector<ReverseIntervalRow>& rowsBySpeed, double speedMmPerS) {
    if (speedMmPerS <= 0 || rowsBySpeed.empty()) {
        return 0.0;
    }
    for (std::size_t i = 0; i < rowsBySpeed.size(); ++i) {
        const ReverseIntervalRow& row = rowsBySpeed[i];
        if (speedMmPerS == row.speedMmPerS) {
            return row.reverseIntervalMm;
        }
        if (row.speedMmPerS > speedMmPerS) {
            if (i == 0) {
                return speedMmPerS * row.reverseIntervalMm / row.speedMmPerS;
            }
            const ReverseIntervalRow& below = rowsBySpeed[i - 1];
            const double share = (speedMmPerS - below.speedMmPerS) / (row.speedMmPerS - below.speedMmPerS);
            return below.reverseIntervalMm + share * (row.reverseIntervalMm - below.reverseIntervalMm);
        }
    }
    return rowsBySpeed.back().reverseIntervalMm;
}

std::vector<ReverseIntervalRow> SortedBySpeed(std::vector<ReverseIntervalRow> rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const ReverseIntervalRow& a, const ReverseIntervalRow& b) {
        return a.speedMmPerS < b.speedMmPerS;
    });
    return rows;
}

}  // namespace dotplate
