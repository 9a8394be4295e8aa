// The job of a rich drawing stays byte for byte what it was: every processing mode, leads, Beziers,
// nested contours, open curves, a group, a point, a tiny curve, kerf, the pen axis and a laser-2 offset,
// spread over many cells of the cutting order, under the order settings that change the body. The bytes
// are stored as their length and FNV-1a hash; a change to the writers or the order that is meant to keep
// the output shows here as a changed hash.
#include <random>

#include "CadGroup.h"
#include "JobTestSupport.h"
#include "SettingsRows.h"

namespace joboutput::testing {
namespace {

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

std::unique_ptr<CCadCurve> Polyline(const std::vector<SDPoint>& points, bool closed) {
    auto curve = std::make_unique<CCadCurve>();
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        CFileLine segment;
        segment.start = points[i];
        segment.end = points[i + 1];
        curve->pathList.AddTail(segment);
    }
    curve->closed = closed ? 1 : 0;
    curve->CalRect();
    return curve;
}

std::unique_ptr<CCadCurve> Square(double x, double y, double size) {
    return Polyline({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}, {x, y}}, true);
}

// A square whose right side is a bowed Bezier, entered by a straight lead-in and left by a lead-out.
std::unique_ptr<CCadCurve> LeadSquare(double x, double y, double size) {
    auto curve = Square(x, y, size);
    CFileLine& right = curve->pathList.head->next->next->value;
    right.type = CFileLine::kBezier;
    right.ctrl1 = {x + size * 1.3, y + size / 3};
    right.ctrl2 = {x + size * 1.3, y + 2 * size / 3};
    curve->CalRect();
    curve->leadIn.enabled = 1;
    curve->leadIn.kind = 0;
    curve->leadIn.leadPoint = {x - 2, y};
    curve->leadOut.enabled = 1;
    curve->leadOut.kind = 0;
    curve->leadOut.leadPoint = {x, y - 2};
    return curve;
}

class JobBytesTest : public JobFixture {
  protected:
    void SetUp() override {
        JobFixture::SetUp();
        gGeneralSettings.laserHeadPosition = 6;
        gGeneralSettings.speedLimitOn = 1;
        gGeneralSettings.speedLimits.RemoveAll();
        gGeneralSettings.speedLimits.AddTail(SpeedLimitRow{5.0, 20.0});
        gGeneralSettings.speedLimits.AddTail(SpeedLimitRow{12.0, 60.0});
        gOutputOptions.laser2OffsetOn = 1;
        gOutputOptions.laser2OffsetXMm = 0.25;
        gOutputOptions.laser2OffsetYMm = -0.5;
    }
    void TearDown() override {
        gGeneralSettings.speedLimitOn = 0;
        gGeneralSettings.speedLimits.RemoveAll();
        JobFixture::TearDown();
    }

    // Layers by colour: cut, dot, pen with its axis, kerf, and cut through the second laser.
    void BuildDrawing() {
        enum : std::uint32_t { kCut = 0, kDot = 0xFF, kPen = 0xFF00, kKerf = 0xFF0000, kLaser2 = 0xFFFF };
        std::mt19937 random(2612);
        std::uniform_real_distribution<double> place(0.0, 400.0);
        std::uniform_real_distribution<double> size(2.0, 30.0);
        const std::uint32_t colours[] = {kCut, kCut, kCut, kDot, kPen, kKerf, kLaser2};
        for (int index = 0; index < 140; ++index) {
            const double x = place(random);
            const double y = place(random);
            const double side = size(random);
            const std::uint32_t colour = colours[index % 7];
            switch (index % 5) {
                case 0:  // a square with a square and a circle inside
                    Add(Square(x, y, side * 2), colour);
                    Add(Square(x + side * 0.2, y + side * 0.2, side * 0.6), colour);
                    Add(CCadCurve::MakeEllipse(x + side * 1.1, y + side * 1.1, x + side * 1.7,
                                               y + side * 1.7),
                        colour);
                    break;
                case 1:
                    Add(LeadSquare(x, y, side), colour);
                    break;
                case 2:
                    Add(Polyline({{x, y}, {x + side, y + side / 2}, {x + side / 3, y + side}}, false),
                        colour);
                    break;
                case 3:
                    Add(CCadCurve::MakeEllipse(x, y, x + side, y + side * 0.7), colour);
                    break;
                default: {
                    auto group = std::make_unique<CCadGroup>();
                    group->children.AddTail(Square(x, y, side).release());
                    group->children.AddTail(Polyline({{x, y - 3}, {x + side, y - 3}}, false).release());
                    for (auto* child = group->children.head->next; child != group->children.head;
                         child = child->next) {
                        child->value->color = colour;
                    }
                    group->CalRect();
                    Add(std::move(group), colour);
                    break;
                }
            }
        }
        auto point = std::make_unique<CCadPoint>();
        point->x = 200;
        point->y = 200;
        point->CalRect();
        Add(std::move(point), kCut);
        Add(Square(300, 10, 0.05), kCut);  // fired as one dot

        for (auto* node = theCadMgr.layerList.head->next; node != theCadMgr.layerList.head;
             node = node->next) {
            auto* layer = static_cast<CCadVectorLayer*>(node->value);
            LayerCommonParams& common = layer->commonParams;
            VectorLayerParams& params = layer->vectorParams;
            switch (layer->commonParams.COM_Color) {
                case kDot:
                    params.COM_WorkType = VectorLayerParams::kDot;
                    break;
                case kPen:
                    params.COM_WorkType = VectorLayerParams::kPen;
                    common.COM_EnZ = 1;
                    common.COM_EnZDown = 1;
                    common.COM_EnZUp = 1;
                    common.COM_ZDownPos = -2;
                    common.COM_ZUpPos = 3;
                    break;
                case kKerf:
                    params.COM_WorkType = VectorLayerParams::kCut;
                    params.Cut_EnSew = 1;
                    params.Cut_SewWidth = 0.2;
                    params.Cut_Close = 1.5;
                    break;
                case kLaser2:
                    params.COM_WorkType = VectorLayerParams::kCut;
                    common.COM_EnLaser1 = 0;
                    common.COM_EnLaser2 = 1;
                    break;
                default:
                    params.COM_WorkType = VectorLayerParams::kCut;
                    params.Cut_Close = 0.5;
                    break;
            }
        }
    }

    std::vector<std::uint8_t> JobBytes() {
        motionlink::JobMemorySink sink;
        CDataProcessDlg dialog;
        dialog.jobSink = &sink;
        CDataProcessDlg::WriteJobThread(&dialog);
        EXPECT_EQ(dialog.failed.load(), 0u);
        return sink.Bytes();
    }
};

struct OrderCase {
    const char* name;
    std::uint32_t pathOptimise;
    std::uint32_t orderOfLayer;
    std::uint32_t insideToOutside;
    std::uint16_t innerMode;
    std::uint32_t autoStartDir;
    std::uint32_t startPointOptimise;
    std::size_t size;
    std::uint64_t hash;
};

TEST_F(JobBytesTest, RichDrawingKeepsItsBytesUnderEveryOrderSetting) {
    const OrderCase cases[] = {
        {"optimised in one order", 1, 0, 1, 0, 1, 0, 33113, 0xa854eb8379c3ef52},
        {"optimised layer by layer", 1, 1, 1, 0, 1, 0, 23919, 0xee56ecda7bc7f7f1},
        {"cutting ports and start points", 1, 0, 1, 1, 1, 1, 33542, 0x6f33dbe2dcc053a9},
        {"no nesting, fixed directions", 1, 0, 0, 0, 0, 0, 32880, 0xdfecff3b121043c7},
        {"start points only", 1, 0, 0, 0, 0, 1, 33324, 0xe57480f9656816d3},
        {"drawing order", 0, 0, 1, 0, 1, 0, 30961, 0xf817e5b0898007b9},
    };
    for (const OrderCase& c : cases) {
        // The order turns the drawing's own curves: every case starts from the drawing as built.
        theCadMgr.DeleteAll();
        BuildDrawing();
        gProcessCtrlSettings.pathOptimise = c.pathOptimise;
        gOptimSettings.orderOfLayer = c.orderOfLayer;
        gOptimSettings.insideToOutside = c.insideToOutside;
        gOptimSettings.insideToOutsideMode = c.innerMode;
        gOptimSettings.autoStartPointAndDirection = c.autoStartDir;
        gOptimSettings.startPointOptimise = c.startPointOptimise;
        const std::vector<std::uint8_t> bytes = JobBytes();
        EXPECT_EQ(bytes.size(), c.size) << c.name;
        EXPECT_EQ(Fnv1a(bytes), c.hash) << c.name << ": 0x" << std::hex << Fnv1a(bytes);
    }
}

}  // namespace
}  // namespace joboutput::testing
