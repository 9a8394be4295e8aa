// Building the display list.
#include "DisplayList.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

#include "LogicalUnits.h"

namespace simscope {
namespace {

constexpr std::uint32_t kChunkPoints = 512;

void Widen(platform::Rect& bounds, platform::Point point) {
    bounds.left = std::min(bounds.left, point.x);
    bounds.right = std::max(bounds.right, point.x);
    bounds.top = std::min(bounds.top, point.y);
    bounds.bottom = std::max(bounds.bottom, point.y);
}

DisplayPoint PointOf(platform::Point at, std::uint32_t pen, DisplayOp op) {
    DisplayPoint point;
    point.at = at;
    point.pen = pen;
    point.op = op;
    return point;
}

class ListBuilder {
  public:
    // At most one point per command: reserved at once, so a large job is not copied while it grows.
    explicit ListBuilder(std::size_t commandCount) { points_.reserve(commandCount); }

    void Add(DisplayPoint point) {
        if (open_.count == kChunkPoints) {
            Close();
        }
        if (open_.count == 0) {
            open_ = {{position_.x, position_.y, position_.x, position_.y},
                     static_cast<std::uint32_t>(points_.size()), 0, trailingCircles_};
        }
        ++open_.count;
        if (point.op == DisplayOp::Circle) {
            ++open_.circleDrift;
            ++trailingCircles_;
        } else {
            position_ = point.at;
            trailingCircles_ = 0;
            Widen(open_.bounds, point.at);
        }
        points_.push_back(point);
    }

    // Ramps repeat the power of the record before as often as not, so the last answer is kept.
    std::uint32_t PenFor(double power) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(power);
        if (lastPen_ != 0 && bits == lastPowerBits_) {
            return lastPen_;
        }
        lastPowerBits_ = bits;
        lastPen_ = LookUpPen(power);
        return lastPen_;
    }

    std::vector<DisplayPoint> TakePoints() { return std::move(points_); }
    std::vector<DisplayChunk> TakeChunks() {
        if (open_.count > 0) {
            Close();
        }
        return std::move(chunks_);
    }
    std::vector<double> TakePowers() { return std::move(powers_); }

  private:
    std::uint32_t LookUpPen(double power) {
        const auto [entry, added] =
            penOfPower_.try_emplace(std::bit_cast<std::uint64_t>(power), static_cast<std::uint32_t>(powers_.size() + 1));
        if (added) {
            powers_.push_back(power);
        }
        return entry->second;
    }

    void Close() {
        chunks_.push_back(open_);
        open_ = {};
    }

    std::vector<DisplayPoint> points_;
    std::vector<DisplayChunk> chunks_;
    std::vector<double> powers_;
    std::unordered_map<std::uint64_t, std::uint32_t> penOfPower_;
    DisplayChunk open_;
    platform::Point position_;
    std::uint32_t trailingCircles_ = 0;
    std::uint64_t lastPowerBits_ = 0;
    std::uint32_t lastPen_ = 0;
};

}  // namespace

DisplayList DisplayList::Build(const PreviewJob& job) {
    DisplayList list;
    list.empty_ = job.IsEmpty();
    const MmPoint start = job.Start();
    list.start_ = {ToLogicalUnits(start.x), ToLogicalUnits(start.y)};
    ListBuilder builder(job.CommandCount());
    std::uint32_t pen = kMarkerPen;
    job.ForEachCommand([&](const JobCommand& command) {
        switch (command.kind) {
            case JobCommand::Power:
                pen = builder.PenFor(command.a);
                break;
            case JobCommand::Move:
            case JobCommand::Cut: {
                const MmPoint placed = job.PlacedOf(command);
                builder.Add(PointOf({ToLogicalUnits(placed.x), ToLogicalUnits(placed.y)}, pen,
                                    command.kind == JobCommand::Move ? DisplayOp::Move : DisplayOp::Line));
                break;
            }
            case JobCommand::Delay:
                builder.Add(PointOf({}, pen, DisplayOp::Circle));
                break;
            default:
                break;
        }
    });
    list.points_ = builder.TakePoints();
    list.chunks_ = builder.TakeChunks();
    list.powers_ = builder.TakePowers();
    return list;
}

}  // namespace simscope
