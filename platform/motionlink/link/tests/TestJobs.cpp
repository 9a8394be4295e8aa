// Jobs and transfers for the link's tests.
#include "TestJobs.h"

#include "JobMemorySink.h"
#include "MotionlinkJob.h"
#include "MotionlinkLink.h"

#include <algorithm>
#include <array>

namespace motionlink::testing {

std::uint16_t WriteSampleJob(JobSink* sink, int cuts, double speedMmPerS) {
    std::vector<std::uint16_t> statuses = {
        Zint_StrtWFile(sink),         Zint_wSetRefPointMode(0),       Zint_wStrtProcess(),
        Zint_wSetEngVel(speedMmPerS), Zint_ExwSetMinPower(20, 20, 0), Zint_ExwSetMaxPower(40, 40, 0)};
    for (int cut = 0; cut < cuts; ++cut) {
        const double x = cut * 12.0;
        statuses.push_back(Zint_wMoveTo(nullptr, nullptr, x, 0));
        statuses.push_back(Zint_wLineTo(nullptr, nullptr, x + 10, 0));
        statuses.push_back(Zint_wLineTo(nullptr, nullptr, x + 10, 10));
        statuses.push_back(Zint_wLineTo(nullptr, nullptr, x, 10));
        statuses.push_back(Zint_wLineTo(nullptr, nullptr, x, 0));
    }
    statuses.push_back(Zint_wSetBlockEnd());
    statuses.push_back(Zint_wSetFileEnd());
    const auto failed =
        std::find_if(statuses.begin(), statuses.end(), [](std::uint16_t s) { return s != 0; });
    return failed == statuses.end() ? 0 : *failed;
}

std::vector<std::uint8_t> SampleJobBytes(int cuts, double speedMmPerS) {
    JobMemorySink sink;
    WriteSampleJob(&sink, cuts, speedMmPerS);
    return sink.Bytes();
}

std::vector<std::uint8_t> PatternBytes(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t at = 0; at < size; ++at) {
        bytes[at] = static_cast<std::uint8_t>(at * 31 + at / 256);
    }
    return bytes;
}

std::uint16_t DownloadDocument(const std::string& name, const std::vector<std::uint8_t>& bytes,
                               std::uint16_t serialPort) {
    constexpr std::size_t kPieceBytes = 1024;
    std::uint16_t status = serialPort != 0 ? Zint_Open(0, serialPort, "") : Zint_Open(1, 0, "127.0.0.1");
    if (status == 0) {
        status = Zint_StrtDownFile(name);
    }
    for (std::size_t at = 0; status == 0 && at < bytes.size(); at += kPieceBytes) {
        const std::size_t piece = std::min(kPieceBytes, bytes.size() - at);
        status = Zint_WritePort(bytes.data() + at, static_cast<std::uint32_t>(piece));
    }
    // The last pieces may still be in flight: the close confirms them, or reports their failure.
    const std::uint16_t closed = Zint_Close();
    return status != 0 ? status : closed;
}

std::vector<std::uint8_t> UploadDocument(std::uint16_t number, std::uint16_t& status) {
    std::vector<std::uint8_t> copied;
    std::uint32_t pages = 0;
    status = Zint_GetDocumentPageNum(number, &pages);
    for (std::uint32_t page = 0; status == 0 && page < pages; ++page) {
        std::array<std::uint8_t, 2112> buffer{};
        std::uint32_t length = 0;
        const std::uint16_t pageStatus = Zint_GetDocumentPageData(number, page, buffer.data(), &length);
        if (pageStatus != 0 && pageStatus != 3 && pageStatus != 4) {
            status = pageStatus;
            break;
        }
        std::size_t start = 0;
        while (page == 0 && start < length) {
            std::uint8_t byte = buffer[start++];
            Zint_UBCmd(&byte);
            if (byte == 0) {
                break;
            }
        }
        copied.insert(copied.end(), buffer.begin() + start, buffer.begin() + length);
        if (pageStatus == 4) {
            break;
        }
    }
    return copied;
}

}  // namespace motionlink::testing
