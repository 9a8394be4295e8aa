// The benchmark job: a repeating mix of block heads, travel, straight cuts and ramped scan runs.
#include "JobBenchJob.h"

#include "JobMemorySink.h"
#include "MotionlinkJob.h"

namespace jobbench {

bool WriteJobPart(int part) {
    const double baseX = (part % 97) * 3.0;
    const double baseY = (part % 89) * 2.0;
    bool ok = Zint_wSetEngVel(50.0 + part % 7) == 0 && Zint_ExwSetMaxPower(60.0, 60.0, 1) == 0;
    ok = ok && Zint_wMoveTo(nullptr, nullptr, baseX, baseY) == 0;
    for (int step = 1; ok && step <= 24; ++step) {
        ok = Zint_wLineTo(nullptr, nullptr, baseX + step * 0.25, baseY + (step % 3) * 0.1) == 0;
    }
    ok = ok && Zint_wMoveTo(nullptr, nullptr, baseX, baseY + 1.0) == 0;
    for (int run = 0; ok && run < 2; ++run) {
        ok = Zint_ExwSetImdPower(20.0 + run, 20.0 + run, 1) == 0 && Zint_ExwSetEndPower(80.0, 80.0, 1) == 0 &&
             Zint_wLineTo(nullptr, nullptr, baseX + 5.0 * (run + 1), baseY + 1.0) == 0;
    }
    return ok && Zint_wSetBlockEnd() == 0;
}

std::vector<std::uint8_t> MakeStoredJob(std::size_t minimumBytes) {
    motionlink::JobMemorySink sink;
    Zint_StrtWFile(&sink);
    for (int part = 0; sink.Bytes().size() < minimumBytes; ++part) {
        WriteJobPart(part);
    }
    Zint_wSetFileEnd();
    return sink.Bytes();
}

}  // namespace jobbench
