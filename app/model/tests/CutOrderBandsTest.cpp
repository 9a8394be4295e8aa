// CCutOrder: the direction grid against a plain transcription of the band passes (one list walk per scan,
// a scan again after every scan that took items), on seeded random drawings of squares, nested squares
// and circles, for every code, both straddle settings and several band heights.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "CutOrder.h"
#include "CutOrderTestShapes.h"
#include "SettingsRecords.h"

namespace {

using Items = std::vector<CCadElement*>;

struct Band {
    CCadRect rect;
    Items items;
};

CCadRect Norm(CCadRect rect) {
    rect.Normalize();
    return rect;
}

void Grow(CCadRect& into, CCadRect other) {
    other = Norm(other);
    into.x1 = std::min(into.x1, other.x1);
    into.y1 = std::min(into.y1, other.y1);
    into.x2 = std::max(into.x2, other.x2);
    into.y2 = std::max(into.y2, other.y2);
}

bool Overlaps(const CCadRect& b, const CCadRect& r) {
    return !(b.x1 - r.x2 >= 0.001 || r.x1 - b.x2 >= 0.001 || b.y1 - r.y2 >= 0.001 || r.y1 - b.y2 >= 0.001);
}

bool Within(const CCadRect& r, const CCadRect& b) {
    return b.x1 - r.x1 <= 0.001 && r.x2 - b.x2 <= 0.001 && b.y1 - r.y1 <= 0.001 && r.y2 - b.y2 <= 0.001;
}

double& Lo(CCadRect& r, bool y) {
    return y ? r.y1 : r.x1;
}
double& Hi(CCadRect& r, bool y) {
    return y ? r.y2 : r.x2;
}

std::vector<Band> PlainPass(Items list, bool alongY, int sign, bool straddle, CCadRect box, double h) {
    std::vector<Band> out;
    if (std::fabs(Hi(box, alongY) - Lo(box, alongY)) <= h) {
        out.push_back({box, list});
        return out;
    }
    CCadRect b = box;
    if (sign > 0) {
        Hi(b, alongY) = Lo(box, alongY) + h;
    } else {
        Lo(b, alongY) = Hi(box, alongY) - h;
    }
    bool open = false;
    Band g;
    while (!list.empty()) {
        bool found = false;
        Items straddlers;
        CCadRect e;
        Items rest;
        for (CCadElement* item : list) {
            const CCadRect r = Norm(item->rect);
            if (!Overlaps(b, r)) {
                rest.push_back(item);
                continue;
            }
            if (!open) {
                g = {r, {}};
                open = true;
            } else {
                Grow(g.rect, r);
            }
            g.items.push_back(item);
            found = true;
            if (straddle && !Within(r, b)) {
                e = straddlers.empty() ? r : e;
                Grow(e, r);
                straddlers.push_back(item);
            }
        }
        list = rest;
        if (!straddlers.empty()) {
            Items k;
            rest.clear();
            for (CCadElement* item : list) {
                (Within(Norm(item->rect), e) ? k : rest).push_back(item);
            }
            for (CCadElement* s : straddlers) {
                Items left;
                for (CCadElement* c : k) {
                    if (Within(Norm(c->rect), Norm(s->rect)) && CCutOrder::IsInside(s, c) != 0) {
                        g.items.push_back(c);
                    } else {
                        left.push_back(c);
                    }
                }
                k = left;
            }
            rest.insert(rest.end(), k.begin(), k.end());
            list = rest;
        }
        if (found) {
            continue;
        }
        if (open && !g.items.empty()) {
            bool moved = false;
            if (sign > 0 && Lo(g.rect, alongY) - Lo(b, alongY) > 1.0) {
                Lo(b, alongY) = Lo(g.rect, alongY);
                Hi(b, alongY) = Lo(g.rect, alongY) + h;
                moved = true;
            } else if (sign < 0 && Hi(b, alongY) - Hi(g.rect, alongY) > 1.0) {
                Hi(b, alongY) = Hi(g.rect, alongY);
                Lo(b, alongY) = Hi(g.rect, alongY) - h;
                moved = true;
            }
            if (moved && Overlaps(b, box)) {
                continue;
            }
        }
        if (open && !g.items.empty()) {
            out.push_back(g);
        }
        open = false;
        Lo(b, alongY) += sign * h;
        Hi(b, alongY) += sign * h;
    }
    if (open && !g.items.empty()) {
        out.push_back(g);
    }
    return out;
}

std::vector<Items> PlainCells(const Items& list, std::uint16_t code, SDPoint start, bool straddle, double h) {
    CCadRect box = list.front()->rect;
    for (std::size_t index = 1; index < list.size(); ++index) {
        Grow(box, list[index]->rect);
    }
    const bool rows = code >= 5 && code <= 8;
    const int sign = code >= 1 && code <= 8 && code % 2 == 0 ? -1 : 1;
    int d = rows ? (std::fabs(start.x - box.x1) < std::fabs(start.x - box.x2) ? 1 : -1)
                 : (std::fabs(start.y - box.y1) < std::fabs(start.y - box.y2) ? 1 : -1);
    std::vector<Items> cells;
    for (const Band& band : PlainPass(list, rows, sign, straddle, box, h)) {
        int filled = 0;
        for (const Band& cell : PlainPass(band.items, !rows, d, straddle, band.rect, h)) {
            if (!cell.items.empty()) {
                cells.push_back(cell.items);
                ++filled;
            }
        }
        if (filled > 1) {
            d = -d;
        }
    }
    return cells;
}

TEST(CutOrderBands, GridMatchesThePlainScanOnRandomDrawings) {
    const OptimSettings saved = gOptimSettings;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> position(0.0, 300.0);
    std::uniform_real_distribution<double> size(1.0, 60.0);
    std::uniform_int_distribution<int> kind(0, 3);
    for (int drawing = 0; drawing < 24; ++drawing) {
        std::vector<std::unique_ptr<CCadCurve>> owned;
        const int count = 5 + drawing * 4;
        for (int index = 0; index < count; ++index) {
            const double x = position(random);
            const double y = position(random);
            const double side = size(random);
            switch (kind(random)) {
                case 0:
                    owned.push_back(MakeCircle(x, y, side / 2));
                    break;
                case 1:  // a square with a smaller one inside, listed after it
                    owned.push_back(MakeSquare({x, y}, side));
                    owned.push_back(MakeSquare({x + side / 4, y + side / 4}, side / 2));
                    break;
                case 2:
                    owned.push_back(MakeCurve({{x, y}, {x + side, y + side / 3}}));
                    break;
                default:
                    owned.push_back(MakeSquare({x, y}, side));
                    break;
            }
        }
        Items items;
        for (const auto& curve : owned) {
            items.push_back(curve.get());
        }
        gOptimSettings.blockHeightMm = drawing % 3 == 0 ? 20.0 : 50.0;
        for (std::uint16_t code = 1; code <= 8; ++code) {
            for (int straddle = 0; straddle <= 1; ++straddle) {
                const SDPoint start{code % 2 == 0 ? 300.0 : 0.0, code > 4 ? 300.0 : 0.0};
                CDbList<CCadElement*> list;
                for (CCadElement* item : items) {
                    list.AddTail(item);
                }
                CCutOrder order;
                order.SortByDirection(list, code, start.x, start.y, straddle);
                std::vector<Items> cells;
                for (auto* node = list.head->next; node != list.head; node = node->next) {
                    cells.push_back(Elements(static_cast<CCadOrderGroup*>(node->value)->children));
                }
                EXPECT_EQ(cells, PlainCells(items, code, start, straddle != 0, gOptimSettings.blockHeightMm))
                    << "drawing " << drawing << " code " << code << " straddle " << straddle;
            }
        }
    }
    gOptimSettings = saved;
}

}  // namespace
