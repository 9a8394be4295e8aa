#include "JoinImportedCurves.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "CadMgr.h"
#include "ElementBuilders.h"
#include "ImportStaging.h"
#include "ListNodes.h"
#include "RectMath.h"

namespace {

bool Joinable(const CCadElement* element) {
    return element->typeCode == kCurveElement && static_cast<const CCadCurve*>(element)->closed == 0 &&
           static_cast<const CCadCurve*>(element)->pathList.IsEmpty() == 0;
}

SDPoint StartOf(const CCadCurve& curve) {
    return curve.pathList.head->next->value.start;
}
SDPoint EndOf(const CCadCurve& curve) {
    return curve.pathList.head->prev->value.end;
}

// The reference: every open A walks every later element of its colour, in list order, two passes.
void PlainJoin(CDbList<CCadElement*>& staging, double tolerance) {
    std::vector<CCadElement*> holding;
    for (int pass = 0; pass < 2; ++pass) {
        for (auto* a = staging.head->next; a != staging.head;) {
            if (!Joinable(a->value)) {
                holding.push_back(a->value);
                auto* next = a->next;
                UnlinkNode(staging, a);
                a = next;
                continue;
            }
            auto* curve = static_cast<CCadCurve*>(a->value);
            CCadRect grown = GrownNormalised(curve->rect, tolerance);
            SDPoint start = StartOf(*curve), end = EndOf(*curve);
            for (auto* b = a->next; b != staging.head && curve->closed == 0;) {
                auto* next = b->next;
                if (b->value->color != curve->color) {
                    b = next;
                    continue;
                }
                if (!Joinable(b->value)) {
                    holding.push_back(b->value);
                    UnlinkNode(staging, b);
                    b = next;
                    continue;
                }
                auto* other = static_cast<CCadCurve*>(b->value);
                CCadRect otherRect = other->rect;
                otherRect.Normalize();
                const std::uint16_t code =
                    otherRect.Meets(grown)
                        ? CCadMgr::GetEndMatch(start.x, start.y, end.x, end.y, StartOf(*other).x,
                                               StartOf(*other).y, EndOf(*other).x, EndOf(*other).y, tolerance)
                        : 0;
                if (code != 0) {
                    CCadMgr::JoinCurves(curve, other, code, 0.0);
                    CCadRect joined = GrownNormalised(curve->rect, 0.0);
                    joined.x1 = std::min(joined.x1, otherRect.x1);
                    joined.y1 = std::min(joined.y1, otherRect.y1);
                    joined.x2 = std::max(joined.x2, otherRect.x2);
                    joined.y2 = std::max(joined.y2, otherRect.y2);
                    curve->rect = joined;
                    delete other;
                    UnlinkNode(staging, b);
                    grown = GrownNormalised(curve->rect, tolerance);
                    start = StartOf(*curve);
                    end = EndOf(*curve);
                    curve->AutoClose(tolerance, 0);
                }
                b = next;
            }
            auto* next = a->next;
            if (curve->closed != 0) {
                holding.push_back(curve);
                UnlinkNode(staging, a);
            }
            a = next;
        }
    }
    for (CCadElement* element : holding) {
        staging.AddTail(element);
    }
}

// A random drawing whose curve ends lie on a 1 mm lattice, shaken by up to 0.08 mm, so that many ends
// meet within the tolerances tried; some curves are closed or empty and some elements are points.
void FillRandom(CImportStaging& staging, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> lattice(0, 12), kind(0, 19), colour(0, 2), segments(1, 3);
    std::uniform_real_distribution<double> shake(-0.08, 0.08);
    const auto point = [&] {
        return SDPoint{lattice(random) + shake(random), lattice(random) + shake(random)};
    };
    for (int id = 0; id < 300; ++id) {
        const int which = kind(random);
        std::unique_ptr<CCadElement> element;
        if (which == 0) {
            element = MakePoint(lattice(random), lattice(random));
        } else if (which == 1) {
            element = std::make_unique<CCadCurve>();
        } else {
            std::vector<SDPoint> points;
            for (int k = segments(random); k >= 0; --k) {
                points.push_back(point());
            }
            element = MakeCurve(points, which == 2);
        }
        element->color = static_cast<std::uint32_t>(colour(random));
        element->name = std::to_string(id);
        staging.elements.AddTail(element.release());
    }
}

// The list as text: each element's name, closed flag, every coordinate and joint kind, exactly.
std::vector<std::string> Describe(const CDbList<CCadElement*>& list) {
    std::vector<std::string> lines;
    for (CCadElement* element : Elements(list)) {
        std::string line = element->name + " c" + std::to_string(element->color);
        if (element->typeCode == kCurveElement) {
            const auto* curve = static_cast<const CCadCurve*>(element);
            line += curve->closed != 0 ? " closed" : " open";
            char text[96];
            for (const CFileLine& segment : cutrix::testing::Records(curve->pathList)) {
                std::snprintf(text, sizeof text, " %a,%a>%a,%a j%d/%d", segment.start.x, segment.start.y,
                              segment.end.x, segment.end.y, segment.startJoint, segment.endJoint);
                line += text;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(JoinImportedCurvesTest, GridMakesTheJoinsOfThePlainWalkInItsOrder) {
    for (double tolerance : {0.0, 0.05, 0.1, 0.5, 3.0}) {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            CImportStaging indexed, plain;
            FillRandom(indexed, seed);
            FillRandom(plain, seed);
            JoinImportedCurves(indexed.elements, tolerance);
            PlainJoin(plain.elements, tolerance);
            ASSERT_EQ(Describe(indexed.elements), Describe(plain.elements))
                << "tolerance " << tolerance << ", seed " << seed;
            if (tolerance >= 0.1) {
                EXPECT_LT(indexed.elements.GetCount(), 250) << "too few joins to compare";
            }
        }
    }
}

TEST(JoinImportedCurvesTest, AChainInReverseOrderJoinsInTheSecondPass) {
    // Listed c, a, b: the first pass joins b onto c, which lies before a, so a sees nothing after it; the
    // second pass joins a onto c.
    //   a (0,0)-(1,0)   b (1,0)-(2,0)   c (2,0)-(3,0)
    CImportStaging staging;
    for (auto points : {std::vector<SDPoint>{{2, 0}, {3, 0}}, std::vector<SDPoint>{{0, 0}, {1, 0}},
                        std::vector<SDPoint>{{1, 0}, {2, 0}}}) {
        staging.elements.AddTail(MakeCurve(points).release());
    }
    JoinImportedCurves(staging.elements, 0.01);
    ASSERT_EQ(staging.elements.GetCount(), 1);
    const auto* joined = static_cast<const CCadCurve*>(staging.elements.head->next->value);
    EXPECT_EQ(joined->pathList.GetCount(), 3);
    cutrix::testing::ExpectChained(cutrix::testing::Records(joined->pathList));
}

}  // namespace
