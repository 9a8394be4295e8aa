// Playback threads.
#include "Playback.h"

#include "ColorRamp.h"
#include "LogicalUnits.h"
#include "SegmentExpansion.h"

namespace simscope {
namespace {

constexpr std::int32_t kPlaybackPenPixels = 5;
constexpr platform::ColorRef kPlaybackStartColor = platform::Rgb(255, 0, 0);

platform::Point ToMicrometres(double xMm, double yMm) {
    return {ToLogicalUnits(xMm), ToLogicalUnits(yMm)};
}

}  // namespace

Playback::Playback(PlaybackClock& clock, PlaybackCanvas& canvas, std::function<void()> onEnded,
                   std::size_t queueCapacity)
    : clock_(clock), canvas_(canvas), onEnded_(std::move(onEnded)), queue_(queueCapacity) {}

Playback::~Playback() {
    Stop();
}

bool Playback::Start(const PreviewJob& job, const PreviewColors& colors) {
    if (job.IsEmpty() || IsAlive()) {
        return false;
    }
    // Threads of an earlier playback have ended by themselves; collect them before reuse.
    Stop();
    queue_.Reset();
    gate_.Open();
    highestFill_.store(0);
    {
        std::lock_guard hold(statusLock_);
        status_ = {};
    }
    pacer_.Begin(clock_.NowSeconds());
    aliveThreads_.store(2);
    producer_ = std::jthread([this, &job](std::stop_token stop) { Produce(stop, job); });
    drawer_ = std::jthread([this, colors, start = job.Start()](std::stop_token stop) { Consume(stop, colors, start); });
    return true;
}

void Playback::Stop() {
    producer_.request_stop();
    drawer_.request_stop();
    if (producer_.joinable()) {
        producer_.join();
    }
    if (drawer_.joinable()) {
        drawer_.join();
    }
    gate_.Open();
}

void Playback::Pause() {
    if (!IsAlive() || gate_.IsClosed()) {
        return;
    }
    gate_.Close();
    pacer_.PauseAt(clock_.NowSeconds());
}

void Playback::Continue() {
    if (!gate_.IsClosed()) {
        return;
    }
    pacer_.ResumeAt(clock_.NowSeconds());
    gate_.Open();
}

PlaybackStatus Playback::Status() const {
    std::lock_guard hold(statusLock_);
    return status_;
}

template <typename Change>
void Playback::ChangeStatus(Change&& change) {
    std::lock_guard hold(statusLock_);
    change(status_);
}

void Playback::Produce(std::stop_token stop, const PreviewJob& job) {
    const auto put = [&](const SegmentItem& item) {
        if (!gate_.Pass(stop) || !queue_.Put(item, stop)) {
            return false;
        }
        const std::size_t fill = queue_.Size();
        std::size_t highest = highestFill_.load();
        while (fill > highest && !highestFill_.compare_exchange_weak(highest, fill)) {
        }
        return true;
    };
    ExpandJob(job, [this] { return defaultSpeed_.load(); }, put);
    queue_.Finish();
    ThreadEnded(stop);
}

void Playback::Consume(std::stop_token stop, PreviewColors colors, MmPoint start) {
    currentPower_ = 1.0;
    cursorPen_ = platform::Pen::Solid(0, colors.idle);
    playbackPen_ = platform::Pen::Solid(0, kPlaybackStartColor);
    const platform::Point startUm = ToMicrometres(start.x, start.y);
    canvas_.DrawAndMoveCursor([&](platform::DeviceContext& context) { context.MoveTo(startUm); }, startUm, cursorPen_);
    SegmentItem item;
    bool laserOn = false;
    while (gate_.Pass(stop) && queue_.Take(item, stop) == SegmentQueue::Taken::Item) {
        switch (item.kind) {
            case SegmentItem::TimeStep:
                pacer_.AddJobTime(item.a, ratio_.load());
                ChangeStatus([&](PlaybackStatus& status) { status.elapsedSeconds = pacer_.ElapsedJobSeconds(); });
                break;
            case SegmentItem::Speed:
                ChangeStatus([&](PlaybackStatus& status) { status.speed = item.a; });
                break;
            case SegmentItem::Power:
                currentPower_ = item.a;
                playbackPen_.color = RampColor(colors.simulate0, colors.simulate100, item.a);
                ChangeStatus([&](PlaybackStatus& status) { status.power = item.a; });
                break;
            case SegmentItem::CutPoint:
            case SegmentItem::MovePoint:
                laserOn = item.kind == SegmentItem::CutPoint && currentPower_ != 0.0;
                DrawPoint(item, laserOn);
                ChangeStatus([&](PlaybackStatus& status) {
                    status.x = item.a;
                    status.y = item.b;
                });
                if (const double wait = pacer_.WaitSeconds(clock_.NowSeconds()); wait > 0.0) {
                    clock_.Wait(wait, stop);
                }
                break;
            default:
                break;
        }
    }
    ThreadEnded(stop);
}

void Playback::DrawPoint(const SegmentItem& item, bool laserOn) {
    const platform::Point target = ToMicrometres(item.a, item.b);
    canvas_.DrawAndMoveCursor(
        [&](platform::DeviceContext& context) {
            // Five pixels under the view of the moment: the user may zoom during the playback.
            playbackPen_.width = PixelsToLogical(context, kPlaybackPenPixels);
            const platform::Pen previous = context.SelectObject(playbackPen_);
            if (laserOn) {
                context.LineTo(target);
            } else {
                context.MoveTo(target);
            }
            context.SelectObject(previous);
        },
        target, cursorPen_);
}

void Playback::ThreadEnded(std::stop_token stop) {
    if (aliveThreads_.fetch_sub(1) == 1 && !stop.stop_requested() && onEnded_) {
        onEnded_();
    }
}

}  // namespace simscope
