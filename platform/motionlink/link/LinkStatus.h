// The statuses that Motionlink's controller calls return.
#pragma once

#include <cstdint>

namespace motionlink {

constexpr std::uint16_t kLinkOk = 0;
// No controller answered in time, the answer made no sense, or no connection is open.
constexpr std::uint16_t kLinkCommunicationError = 1;
// Zint_Open: the controller software does not match the mainboard.
constexpr std::uint16_t kLinkMismatch = 2;
// Zint_GetDocumentPageData: the controller is busy; ask again for the same page.
constexpr std::uint16_t kLinkBusy = 2;
// Zint_GetDocumentPageData: a page arrived and more follow (0 says the same), or this was the last one.
constexpr std::uint16_t kLinkMorePages = 3;
constexpr std::uint16_t kLinkLastPage = 4;
// A null pointer, or a length or index outside what the call takes; nothing was sent.
constexpr std::uint16_t kLinkBadArgument = 5;
// The controller understood the request but cannot carry it out (no such document, a name it cannot
// store, a job while it is busy, update data that fail its checks).
constexpr std::uint16_t kLinkRefused = 6;

// Zint_IsUpdateFileValid.
constexpr std::uint16_t kUpdateFileUnreadable = 1;
constexpr std::uint16_t kUpdateFileWrong = 2;

}  // namespace motionlink
