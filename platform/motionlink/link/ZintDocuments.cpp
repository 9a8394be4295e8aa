// The document store: list, names, work times, start, delete, download and upload in pages.
#include "GbkText.h"
#include "MotionlinkLink.h"
#include "SharedLink.h"

#include <algorithm>

using namespace motionlink;
using namespace motionlink::link;

std::uint16_t Zint_GetTotalDocNum(std::uint32_t* count) {
    return CallForValue(Command::kGetDocumentCount, {}, count);
}

std::uint16_t Zint_GetDocumentName(std::uint32_t number, std::string* name) {
    std::string gbkName;
    const std::uint16_t status =
        name == nullptr ? kLinkBadArgument : CallForValue(Command::kGetDocumentName, Pack(number), &gbkName);
    if (status != kLinkOk) {
        return status;
    }
    std::optional<std::string> utf8 =
        gbkName.size() <= kMaxDocumentNameBytes ? platform::GbkToUtf8(gbkName) : std::nullopt;
    if (!utf8) {
        return kLinkCommunicationError;
    }
    *name = std::move(*utf8);
    return kLinkOk;
}

std::uint16_t Zint_GetDocumentTime(std::uint32_t number, std::int32_t* milliseconds) {
    return CallForValue(Command::kGetDocumentTime, Pack(number), milliseconds);
}

std::uint16_t Zint_DeleteDocument(std::uint32_t number) {
    return CallShared(Command::kDeleteDocument, Pack(number));
}

std::uint16_t Zint_StrtSelDocument(std::uint32_t number) {
    return CallShared(Command::kStartDocument, Pack(number));
}

std::uint16_t Zint_CalDocumentTime(std::uint32_t number) {
    return CallShared(Command::kCalculateDocumentTime, Pack(number));
}

std::uint16_t Zint_StrtDownFile(const std::string& name) {
    const std::optional<std::string> gbkName = platform::Utf8ToGbk(name);
    if (!gbkName || gbkName->empty() || gbkName->size() > kMaxDocumentNameBytes) {
        return kLinkBadArgument;
    }
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    return link.connection.BeginDownload(Pack(*gbkName));
}

std::uint16_t Zint_WritePort(const std::uint8_t* data, std::uint32_t length) {
    if (data == nullptr) {
        return length == 0 ? kLinkOk : kLinkBadArgument;
    }
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    if (!link.connection.IsOpen()) {
        return kLinkCommunicationError;
    }
    return link.connection.SendDataChunks(std::span(data, length));
}

std::uint16_t Zint_GetDocumentPageNum(std::uint16_t number, std::uint32_t* pages) {
    return CallForValue(Command::kGetDocumentPageCount, Pack(std::uint32_t{number}), pages);
}

namespace {

bool IsPageStatus(std::uint16_t status) {
    return status == kLinkOk || status == kLinkMorePages || status == kLinkLastPage;
}

// The page's bytes from the answer: a 32-bit length and exactly that many bytes, at most one page.
std::optional<std::vector<std::uint8_t>> ReadPage(const std::vector<std::uint8_t>& answer) {
    try {
        platform::Archive archive = platform::Archive::ForLoading(answer);
        const std::uint32_t length = archive.ReadU32();
        if (length > kDocumentPageBytes || length != archive.Remaining()) {
            return std::nullopt;
        }
        return archive.ReadBytes(length);
    } catch (const platform::ArchiveError&) {
        return std::nullopt;
    }
}

}  // namespace

std::uint16_t Zint_GetDocumentPageData(std::uint16_t number, std::uint32_t page, std::uint8_t buffer[2112],
                                       std::uint32_t* length) {
    if (buffer == nullptr || length == nullptr) {
        return kLinkBadArgument;
    }
    std::optional<Answer> answer;
    {
        SharedLink& link = TheSharedLink();
        std::lock_guard guard(link.lock);
        answer = link.connection.FetchPage(number, page);
    }
    const std::uint16_t status = StatusOf(answer);
    if (!IsPageStatus(status)) {
        return status;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPage(answer->payload);
    if (!bytes) {
        return kLinkCommunicationError;
    }
    std::copy(bytes->begin(), bytes->end(), buffer);
    *length = static_cast<std::uint32_t>(bytes->size());
    return status;
}
