// Opening and closing the shared connection, machine state and the raw reads that take no parameter
// number.
#include "ConnectionJobSink.h"
#include "LinkJobSink.h"
#include "MotionlinkLink.h"
#include "SharedLink.h"

using namespace motionlink;
using namespace motionlink::link;

std::uint16_t Zint_Open(std::uint16_t kind, std::uint16_t port, const std::string& address) {
    Zint_Close();
    const ConnectionTarget target{kind, port, address};
    SharedLink& link = TheSharedLink();
    std::uint16_t status;
    {
        std::lock_guard guard(link.lock);
        status = link.connection.Open(target, link.cardVersion);
        if (status == kLinkOk) {
            link.lastOpened = target;
        }
    }
    if (status == kLinkOk) {
        // Outside the lock: the encoder takes its own lock first, and then ours through the sink.
        SetConnectionJobSink(&TheLinkJobSink());
    }
    return status;
}

std::uint16_t Zint_Close() {
    SetConnectionJobSink(nullptr);
    TheLinkJobSink().Discard();
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    // A download or job still under way ends here; its failure is the close's status.
    return link.connection.Close();
}

std::uint16_t Zint_SetCardVer(std::uint32_t version) {
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    link.cardVersion = version;
    return kLinkOk;
}

std::uint16_t Zint_GetMachineStauts(std::uint8_t status[5]) {
    return CallForBytes(Command::kGetMachineStatus, {}, std::span(status, 5));
}

std::uint16_t Zint_GetAxisPrfPos(std::uint32_t axis, std::int32_t* micrometres) {
    return CallForValue(Command::kGetAxisPosition, Pack(axis), micrometres);
}

std::uint16_t Zint_ReadParam(std::uint32_t address, std::uint8_t value[5]) {
    return CallForBytes(Command::kReadRawParam, Pack(address), std::span(value, 5));
}

std::uint16_t Zint_GetManiboardVer(std::string* version) {
    return CallForValue(Command::kGetBoardVersion, {}, version);
}
