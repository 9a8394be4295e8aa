#include "DxfReader.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <istream>
#include <map>
#include <new>
#include <numbers>
#include <optional>
#include <set>
#include <streambuf>
#include <string>
#include <vector>

#include "AciPalette.h"
#include "DxfGroupCheck.h"
#include "DxfSpline.h"
#include "DxfText.h"
#include "PathGeometry.h"

namespace filebridge {

namespace {

constexpr int kMaxInsertDepth = 64;
constexpr double kDegrees = std::numbers::pi / 180.0;
constexpr int kColourByBlock = 0;
constexpr int kColourByLayer = 256;
constexpr const char* kModelSpace = "";

// An entity's colour as the file states it, resolved when the entity is placed.
struct DxfColour {
    int index = kColourByLayer;
    int trueColour = -1;  // 0xRRGGBB, or -1
    std::string layer;
    bool paperSpace = false;
};

struct DxfShape {
    std::vector<CFileLine> segments;  // block units
    std::optional<SDPoint> point;     // a POINT instead of segments
    DxfColour colour;
};

struct DxfInsert {
    std::string block;
    Affine plane;
    SDPoint at{};
    double radians = 0.0;
    double scaleX = 1.0, scaleY = 1.0;
    double columnStep = 0.0, rowStep = 0.0;
    long long columns = 1, rows = 1;
    DxfColour colour;

    long long Copies() const { return columns * rows; }
    // The block's units into the units of the block holding the insert, for one copy of the array.
    Affine Placement(long long column, long long row, SDPoint base) const {
        return plane.After(Affine::Translation(at.x, at.y))
            .After(Affine::Rotation(radians))
            .After(Affine::Translation(static_cast<double>(column) * columnStep,
                                       static_cast<double>(row) * rowStep))
            .After(Affine::Scaling(scaleX, scaleY))
            .After(Affine::Translation(-base.x, -base.y));
    }
};

struct DxfBlock {
    SDPoint base{};
    std::vector<DxfShape> shapes;
    std::vector<DxfInsert> inserts;
};

// The plane an entity lies in: its object coordinates into world x and y.
Affine ObjectToWorld(const double* normal) {
    if (normal == nullptr) {
        return {};
    }
    double nx = normal[0], ny = normal[1], nz = normal[2];
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!std::isfinite(length) || length == 0.0) {
        return {};
    }
    nx /= length, ny /= length, nz /= length;
    constexpr double kNearPole = 1.0 / 64.0;
    // The arbitrary axis rule: x is world y (or world z) crossed with the normal.
    double ax = 0.0, ay = 0.0, az = 0.0;
    if (std::fabs(nx) < kNearPole && std::fabs(ny) < kNearPole) {
        ax = nz, ay = 0.0, az = -nx;
    } else {
        ax = -ny, ay = nx, az = 0.0;
    }
    const double axLength = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= axLength, ay /= axLength, az /= axLength;
    const double bx = ny * az - nz * ay, by = nz * ax - nx * az;
    return {ax, bx, ay, by, 0.0, 0.0};
}

// Places model space entities into the collector as they are read, expanding inserts depth first; the
// blocks they insert are read before them, as the BLOCKS section comes before ENTITIES.
class DxfPlacer {
  public:
    DxfPlacer(const std::map<std::string, DxfBlock>& blocks,
              const std::map<std::string, std::uint32_t>& layers, const ImportOptions& options,
              DrawingCollector& out)
        : blocks_(blocks),
          layers_(layers),
          options_(options),
          out_(out),
          model_(Affine::Scaling(options.mmPerDxfUnit, options.mmPerDxfUnit)) {}

    // The segments are mapped where they lie: a model space entity is placed once, straight from the
    // buffer it was built in.
    void PlaceModelCurve(std::vector<CFileLine>& segments, const DxfColour& colour) {
        TransformSegments(segments, model_);
        out_.AddCurve(segments, Resolve(colour, std::nullopt));
    }
    void PlaceModelPoint(SDPoint point, const DxfColour& colour) {
        out_.AddPoint(model_.Apply(point), Resolve(colour, std::nullopt));
    }
    void PlaceModelInsert(const DxfInsert& insert) { PlaceInsert(insert, model_, std::nullopt, 0); }

  private:
    std::uint32_t Resolve(const DxfColour& colour, std::optional<std::uint32_t> inherited) const {
        if (colour.trueColour >= 0) {
            return TrueColour(static_cast<std::uint32_t>(colour.trueColour));
        }
        if (colour.index == kColourByBlock) {
            return inherited.value_or(options_.defaultColour);
        }
        if (colour.index != kColourByLayer) {
            return AciColour(std::abs(colour.index));
        }
        // Entities of layer 0 inside a block take the layer of the insert.
        if (colour.layer == "0" && inherited) {
            return *inherited;
        }
        const auto found = layers_.find(colour.layer);
        return found != layers_.end() ? found->second : options_.defaultColour;
    }

    // Segments, points and inserts that placing the block once would produce, counting nested inserts;
    // saturates, and marks a block that inserts itself.
    std::uint64_t Cost(const std::string& name, int depth) {
        constexpr std::uint64_t kSaturated = std::uint64_t{1} << 62;
        if (const auto known = costs_.find(name); known != costs_.end()) {
            return known->second;
        }
        const auto found = blocks_.find(name);
        if (open_.count(name) != 0) {
            refusal_ = "block " + name.substr(0, 64) + " inserts itself";
            return 1;
        }
        if (depth > kMaxInsertDepth) {
            refusal_ = "blocks nested too deeply";
            return 1;
        }
        if (found == blocks_.end()) {
            return 1;
        }
        open_.insert(name);
        std::uint64_t cost = 1;
        for (const DxfShape& shape : found->second.shapes) {
            cost += std::max<std::uint64_t>(1, shape.segments.size());
        }
        for (const DxfInsert& insert : found->second.inserts) {
            const std::uint64_t inner = Cost(insert.block, depth + 1);
            const auto copies = static_cast<std::uint64_t>(insert.Copies());
            cost = inner != 0 && copies > kSaturated / inner ? kSaturated
                                                             : std::min(kSaturated, cost + copies * inner);
        }
        open_.erase(name);
        costs_[name] = cost;
        return cost;
    }

    void PlaceShape(const DxfShape& shape, const Affine& map, std::optional<std::uint32_t> inherited) {
        const std::uint32_t colour = Resolve(shape.colour, inherited);
        if (shape.point) {
            out_.AddPoint(map.Apply(*shape.point), colour);
            return;
        }
        scratch_ = shape.segments;
        TransformSegments(scratch_, map);
        out_.AddCurve(scratch_, colour);
    }

    void Place(const DxfBlock& block, const Affine& map, std::optional<std::uint32_t> inherited, int depth) {
        for (const DxfShape& shape : block.shapes) {
            if (out_.Failed()) {
                return;
            }
            PlaceShape(shape, map, inherited);
        }
        for (const DxfInsert& insert : block.inserts) {
            PlaceInsert(insert, map, inherited, depth);
        }
    }

    void PlaceInsert(const DxfInsert& insert, const Affine& map, std::optional<std::uint32_t> inherited,
                     int depth) {
        const auto found = blocks_.find(insert.block);
        if (out_.Failed() || found == blocks_.end()) {
            return;
        }
        const std::uint64_t cost = Cost(insert.block, 0);
        if (!refusal_.empty()) {
            out_.Fail(refusal_);
            return;
        }
        const auto copies = static_cast<std::uint64_t>(insert.Copies());
        if (copies > out_.SegmentsLeft() || cost > out_.SegmentsLeft() / copies) {
            out_.Fail("inserted blocks larger than the import limit");
            return;
        }
        const std::uint32_t colour = Resolve(insert.colour, inherited);
        for (long long row = 0; row < insert.rows && !out_.Failed(); ++row) {
            for (long long column = 0; column < insert.columns && !out_.Failed(); ++column) {
                Place(found->second, map.After(insert.Placement(column, row, found->second.base)), colour,
                      depth + 1);
            }
        }
    }

    const std::map<std::string, DxfBlock>& blocks_;
    const std::map<std::string, std::uint32_t>& layers_;
    const ImportOptions& options_;
    DrawingCollector& out_;
    Affine model_;
    std::map<std::string, std::uint64_t> costs_;
    std::set<std::string> open_;
    std::string refusal_;
    std::vector<CFileLine> scratch_;  // reused, so placing a shape allocates only its records
};

class DxfCollector : public DL_CreationAdapter {
  public:
    DxfCollector(const ImportOptions& options, DrawingCollector& out)
        : options_(options),
          out_(out),
          placer_(blocks_, layerColours_, options, out),
          model_(&blocks_[kModelSpace]),
          target_(model_) {}

    void Finish() { FlushPending(); }

    void addLayer(const DL_LayerData& data) override {
        const int index = std::abs(attributes.getColor());
        const int rgb = attributes.getColor24();
        layerColours_[data.name] = rgb >= 0 ? TrueColour(static_cast<std::uint32_t>(rgb)) : AciColour(index);
    }

    void addBlock(const DL_BlockData& data) override {
        FlushPending();
        target_ = &blocks_[data.name];
        *target_ = DxfBlock{};
        target_->base = {data.bpx, data.bpy};
    }

    void endBlock() override {
        FlushPending();
        target_ = model_;
    }

    void endSequence() override { FlushPending(); }

    void addPoint(const DL_PointData& data) override {
        FlushPending();
        KeepPoint({data.x, data.y}, Colour());
    }

    void addLine(const DL_LineData& data) override {
        FlushPending();
        AppendLine(NewSegments(), {data.x1, data.y1}, {data.x2, data.y2});
        Keep(Colour());
    }

    void addArc(const DL_ArcData& data) override {
        FlushPending();
        double sweep = std::fmod(data.angle2 - data.angle1, 360.0);
        if (sweep <= 0.0) {
            sweep += 360.0;
        }
        AddObjectArc(data.cx, data.cy, data.radius, data.angle1 * kDegrees, (data.angle1 + sweep) * kDegrees);
    }

    void addCircle(const DL_CircleData& data) override {
        FlushPending();
        AddObjectArc(data.cx, data.cy, data.radius, 0.0, 2.0 * std::numbers::pi);
    }

    void addEllipse(const DL_EllipseData& data) override {
        FlushPending();
        const double* n = extrusion->getDirection();
        const double nx = n[0], ny = n[1], nz = n[2];
        // The minor axis is the normal crossed with the major axis, scaled by the ratio.
        const SDPoint major{data.mx, data.my};
        const SDPoint minor{(ny * data.mz - nz * data.my) * data.ratio,
                            (nz * data.mx - nx * data.mz) * data.ratio};
        // An end more than two turns before the start is no arc a drawing holds. The start is taken
        // modulo a turn, since a turn added to a parameter far from zero would be lost in its rounding.
        constexpr double kTurn = 2.0 * std::numbers::pi;
        double sweep = data.angle2 - data.angle1;
        if (!std::isfinite(data.angle1) || !std::isfinite(sweep) || sweep < -2.0 * kTurn) {
            return;
        }
        while (sweep <= 0.0) {
            sweep += kTurn;
        }
        const double from = std::fmod(data.angle1, kTurn);
        AppendEllipticArc(NewSegments(), {data.cx, data.cy}, major, minor, from, from + sweep);
        Keep(Colour());
    }

    void addPolyline(const DL_PolylineData& data) override {
        FlushPending();
        constexpr int kMeshFlags = 16 | 64;
        polyline_ = PendingPolyline{};
        polyline_->closed = (data.flags & 1) != 0;
        polyline_->skipped = (data.flags & kMeshFlags) != 0;
        polyline_->plane = ObjectToWorld(extrusion->getDirection());
        polyline_->colour = Colour();
    }

    void addVertex(const DL_VertexData& data) override {
        if (polyline_) {
            polyline_->vertices.push_back({{data.x, data.y}, data.bulge});
        }
    }

    void addSpline(const DL_SplineData& data) override {
        FlushPending();
        spline_ = PendingSpline{};
        spline_->input.degree = static_cast<int>(std::min(data.degree, 1000u));
        spline_->input.closed = (data.flags & 1) != 0;
        spline_->colour = Colour();
    }

    void addControlPoint(const DL_ControlPointData& data) override {
        if (spline_) {
            spline_->input.controls.push_back({data.x, data.y});
            spline_->input.weights.push_back(data.w);
        }
    }

    void addKnot(const DL_KnotData& data) override {
        if (spline_) {
            spline_->input.knots.push_back(data.k);
        }
    }

    void addFitPoint(const DL_FitPointData& data) override {
        if (spline_) {
            spline_->input.fits.push_back({data.x, data.y});
        }
    }

    void addInsert(const DL_InsertData& data) override {
        FlushPending();
        if (attributes.isInPaperSpace()) {
            return;
        }
        DxfInsert insert;
        insert.block = data.name;
        insert.plane = ObjectToWorld(extrusion->getDirection());
        insert.at = {data.ipx, data.ipy};
        insert.radians = data.angle * kDegrees;
        insert.scaleX = data.sx == 0.0 ? 1.0 : data.sx;
        insert.scaleY = data.sy == 0.0 ? 1.0 : data.sy;
        insert.columnStep = data.colSp;
        insert.rowStep = data.rowSp;
        insert.columns = std::max(1, data.cols);
        insert.rows = std::max(1, data.rows);
        insert.colour = Colour();
        if (target_ == model_) {
            placer_.PlaceModelInsert(insert);
        } else {
            target_->inserts.push_back(std::move(insert));
        }
    }

    void addTextStyle(const DL_StyleData& data) override {
        styles_[data.name] = {StyleFontFamily(data.name, data.primaryFontFile), data.fixedTextHeight};
    }

    void addText(const DL_TextData& data) override {
        FlushPending();
        constexpr int kAligned = 3, kMiddle = 4, kFit = 5;
        DxfTextEntity entity;
        entity.text = data.text;
        entity.height = data.height;
        entity.widthFactor = data.xScaleFactor;
        entity.radians = data.angle;  // the parser gives radians
        const bool atInsertion = data.hJustification == 0 && data.vJustification == 0;
        const bool fitted = data.hJustification == kAligned || data.hJustification == kFit;
        entity.anchor = atInsertion || fitted ? SDPoint{data.ipx, data.ipy} : SDPoint{data.apx, data.apy};
        entity.fitEnd = {data.apx, data.apy};
        static constexpr TextAlignX kAlignX[] = {TextAlignX::kLeft, TextAlignX::kCentre, TextAlignX::kRight,
                                                 TextAlignX::kFit,  TextAlignX::kCentre, TextAlignX::kFit};
        static constexpr TextAlignY kAlignY[] = {TextAlignY::kBaseline, TextAlignY::kBottom,
                                                 TextAlignY::kMiddle, TextAlignY::kTop};
        entity.alignX = kAlignX[std::clamp(data.hJustification, 0, 5)];
        entity.alignY = data.hJustification == kMiddle ? TextAlignY::kMiddle
                                                       : kAlignY[std::clamp(data.vJustification, 0, 3)];
        KeepText("TEXT", data.style, std::move(entity));
    }

    void addMText(const DL_MTextData& data) override {
        FlushPending();
        // The attachment point, 1 to 9, names the corner, edge middle or centre of the text's box that
        // lies on the insertion point: rows top, middle, bottom; columns left, centre, right.
        const int attachment = std::clamp(data.attachmentPoint, 1, 9) - 1;
        static constexpr TextAlignX kColumns[] = {TextAlignX::kLeft, TextAlignX::kCentre, TextAlignX::kRight};
        static constexpr TextAlignY kRows[] = {TextAlignY::kTop, TextAlignY::kMiddle, TextAlignY::kBottom};
        DxfTextEntity entity;
        entity.text = MtextPlainText(mtextChunks_ + data.text);
        mtextChunks_.clear();
        entity.height = data.height;
        entity.radians = data.angle;
        entity.anchor = {data.ipx, data.ipy};
        entity.alignX = kColumns[attachment % 3];
        entity.alignY = kRows[attachment / 3];
        KeepText("MTEXT", data.style, std::move(entity));
    }

    void addMTextChunk(const std::string& text) override { mtextChunks_ += text; }

  private:
    struct PendingPolyline {
        struct Vertex {
            SDPoint at;
            double bulge = 0.0;
        };
        std::vector<Vertex> vertices;
        bool closed = false;
        bool skipped = false;
        Affine plane;
        DxfColour colour;
    };

    struct PendingSpline {
        SplineInput input;
        DxfColour colour;
    };

    // A text's contours, each kept as a curve of the text's colour; a text that cannot be drawn is named.
    void KeepText(const char* kind, const std::string& style, DxfTextEntity entity) {
        const DxfColour colour = Colour();
        if (colour.paperSpace) {
            return;
        }
        const auto found = styles_.find(style);
        entity.fontFamily = found != styles_.end() ? found->second.family : style;
        // A text of height 0 takes its style's fixed height.
        if (entity.height == 0.0 && found != styles_.end()) {
            entity.height = found->second.fixedHeight;
        }
        const auto named = [&](const char* reason) {
            constexpr std::size_t kShownCharacters = 40;
            return std::string(kind) + " \"" + entity.text.substr(0, kShownCharacters) + "\" on layer " +
                   colour.layer + ": " + reason;
        };
        if (!options_.drawDxfText) {
            out_.LeaveOut(named("texts are not imported while \"Import Dxf text info\" is off"));
            return;
        }
        std::vector<std::vector<CFileLine>> curves;
        if (!MakeDxfTextCurves(entity, curves)) {
            out_.LeaveOut(named("no outline could be made of it"));
            return;
        }
        const Affine plane = ObjectToWorld(extrusion->getDirection());
        for (std::vector<CFileLine>& curve : curves) {
            std::vector<CFileLine>& segments = NewSegments();
            segments.swap(curve);
            TransformSegments(segments, plane);
            Keep(colour);
        }
    }

    DxfColour Colour() const {
        return {attributes.getColor(), attributes.getColor24(), attributes.getLayer(),
                attributes.isInPaperSpace()};
    }

    // The buffer every entity is built in, emptied; reused so that building allocates nothing once it
    // has grown to the largest entity.
    std::vector<CFileLine>& NewSegments() {
        segments_.clear();
        return segments_;
    }

    // Places the entity built in `segments_`, or holds it in the block being read.
    void Keep(const DxfColour& colour) {
        if (colour.paperSpace) {
            return;
        }
        if (target_ == model_) {
            placer_.PlaceModelCurve(segments_, colour);
            return;
        }
        DxfShape shape;
        shape.segments = segments_;
        shape.colour = colour;
        Hold(std::move(shape));
    }

    void KeepPoint(SDPoint point, const DxfColour& colour) {
        if (colour.paperSpace) {
            return;
        }
        if (target_ == model_) {
            placer_.PlaceModelPoint(point, colour);
            return;
        }
        DxfShape shape;
        shape.point = point;
        shape.colour = colour;
        Hold(std::move(shape));
    }

    // Blocks are held until inserted, so what they hold counts against the same cap as the output.
    void Hold(DxfShape shape) {
        blockSegments_ += std::max<std::size_t>(1, shape.segments.size());
        if (blockSegments_ > DrawingCollector::kDefaultSegmentLimit) {
            out_.Fail("blocks larger than the import limit");
            return;
        }
        target_->shapes.push_back(std::move(shape));
    }

    void AddObjectArc(double cx, double cy, double radius, double from, double to) {
        std::vector<CFileLine>& segments = NewSegments();
        AppendEllipticArc(segments, {cx, cy}, {radius, 0.0}, {0.0, radius}, from, to);
        TransformSegments(segments, ObjectToWorld(extrusion->getDirection()));
        Keep(Colour());
    }

    void FlushPending() {
        if (polyline_) {
            FlushPolyline(*polyline_);
            polyline_.reset();
        }
        if (spline_) {
            if (AppendSpline(spline_->input, NewSegments(), out_.SegmentsLeft())) {
                Keep(spline_->colour);
            }
            spline_.reset();
        }
    }

    void FlushPolyline(const PendingPolyline& polyline) {
        if (polyline.skipped || polyline.vertices.empty()) {
            return;
        }
        std::vector<CFileLine>& segments = NewSegments();
        const auto& v = polyline.vertices;
        for (std::size_t i = 0; i + 1 < v.size(); ++i) {
            AppendBulge(segments, v[i].at, v[i + 1].at, v[i].bulge);
        }
        if (polyline.closed && v.size() > 1) {
            AppendBulge(segments, v.back().at, v.front().at, v.back().bulge);
        }
        if (v.size() == 1) {
            AppendLine(segments, v[0].at, v[0].at);
        }
        TransformSegments(segments, polyline.plane);
        Keep(polyline.colour);
    }

    const ImportOptions& options_;
    DrawingCollector& out_;
    std::map<std::string, DxfBlock> blocks_;
    std::map<std::string, std::uint32_t> layerColours_;
    std::size_t blockSegments_ = 0;
    DxfPlacer placer_;
    DxfBlock* model_;   // never filled: its entities go straight to the placer
    DxfBlock* target_;  // the block receiving entities; map nodes stay put as others are added
    std::optional<PendingPolyline> polyline_;
    std::optional<PendingSpline> spline_;
    std::string mtextChunks_;
    struct TextStyle {
        std::string family;
        double fixedHeight = 0.0;  // 0: each text gives its own
    };
    std::map<std::string, TextStyle> styles_;
    std::vector<CFileLine> segments_;
};

// The file's bytes as the parser's input stream, read where they lie: a string stream would copy them
// twice, and for a large drawing touching those copies costs more than the parse.
class FileBytesBuffer : public std::streambuf {
  public:
    explicit FileBytesBuffer(std::string_view bytes) {
        char* begin = const_cast<char*>(bytes.data());  // the get area is only ever read
        setg(begin, begin, begin + bytes.size());
    }

  protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir from, std::ios_base::openmode which) override {
        const off_type base = from == std::ios_base::beg   ? 0
                              : from == std::ios_base::cur ? gptr() - eback()
                                                           : egptr() - eback();
        return seekpos(base + offset, which);
    }

    pos_type seekpos(pos_type position, std::ios_base::openmode which) override {
        const off_type at = position;
        if ((which & std::ios_base::in) == 0 || at < 0 || at > egptr() - eback()) {
            return pos_type(off_type(-1));
        }
        setg(eback(), eback() + at, egptr());
        return position;
    }
};

}  // namespace

bool ReadDxf(std::string_view bytes, const ImportOptions& options, DrawingCollector& out) {
    if (const std::string refused = CheckDxfGroups(bytes); !refused.empty()) {
        return out.Fail(refused);
    }
    DxfCollector collector(options, out);
    try {
        FileBytesBuffer buffer(bytes);
        std::istream stream(&buffer);
        DL_Dxf parser;
        if (!parser.in(stream, &collector)) {
            return out.Fail("not a readable DXF file");
        }
        collector.Finish();
    } catch (const std::bad_alloc&) {
        return out.Fail("DXF file needs more memory than is available");
    } catch (const std::exception& error) {
        return out.Fail(std::string("unreadable DXF file: ") + error.what());
    } catch (...) {
        return out.Fail("unreadable DXF file");
    }
    return !out.Failed();
}

}  // namespace filebridge
