// The request/response protocol between Motionlink and a controller, over UDP or a serial line.
//
// Every frame is one header, the payload and a CRC-32 of both:
//
//   offset  size  field
//        0     2  magic "ML"
//        2     1  protocol version
//        3     1  frame kind (request, answer)
//        4     2  command
//        6     2  sequence number, chosen by the client; an answer repeats its request's number
//        8     4  session, chosen by the client at each open
//       12     2  answer status (0 in requests)
//       14     2  payload length, at most kMaxPayloadBytes
//       16     n  payload
//     16+n     4  CRC-32 of bytes 0 .. 16+n-1
//
// All integers are little-endian. A request's answer is its acknowledgement; without one in time the
// client sends the same request again, after a wait that follows the measured round trip. Ordinary
// requests go one at a time. The chunks of a transfer (job data, downloads, logos, firmware) go as a
// window of up to kWindowChunks requests in flight: the controller takes them in any order, and each
// chunk's answer tells which chunks it holds (a selective acknowledgement), so that a lost chunk costs
// one resend and not a stall. The controller keeps the last answer of each session, so a repeated
// request is answered again without being carried out twice; a repeated chunk is simply taken once.
// Payloads are written and read with platform::Archive, which never reads past what arrived.
#pragma once

#include <cstddef>
#include <cstdint>

namespace motionlink::link {

constexpr std::uint8_t kMagic0 = 'M';
constexpr std::uint8_t kMagic1 = 'L';
constexpr std::uint8_t kProtocolVersion = 1;
constexpr std::size_t kHeaderBytes = 16;
constexpr std::size_t kChecksumBytes = 4;
// Big enough for a document page with its status and length in one answer.
constexpr std::size_t kMaxPayloadBytes = 2400;
constexpr std::size_t kMaxFrameBytes = kHeaderBytes + kMaxPayloadBytes + kChecksumBytes;

// Chunks of one transfer that may be in flight at once; the controller holds chunks that arrive ahead of
// a gap within this many of the first one it misses.
constexpr std::size_t kWindowChunks = 64;

// The UDP port a controller listens on, unless $CUTRIX_MOTIONLINK_PORT names another one.
constexpr std::uint16_t kDefaultUdpPort = 47811;
// Job data, downloads, logos and firmware travel in numbered chunks of at most this size.
constexpr std::size_t kChunkBytes = 1024;
// The size of one page of a stored document on upload.
constexpr std::size_t kDocumentPageBytes = 2112;
// The controller's longest document name, in GBK bytes.
constexpr std::size_t kMaxDocumentNameBytes = 64;

enum class FrameKind : std::uint8_t { kRequest = 1, kAnswer = 2 };

// Payloads, request -> answer. Numbers are little-endian, strings are archive strings (GBK for names).
enum class Command : std::uint16_t {
    kHello = 0x01,                  // u32 protocol version, u32 card version -> string board version
    kBye = 0x02,                    // -> nothing; ends the session
    kGetMachineStatus = 0x10,       // -> 5 status bytes
    kGetAxisPosition = 0x11,        // u32 axis -> i32 micrometres
    kGetParam = 0x20,               // u16 parameter, u16 index -> the value's bytes
    kSetParam = 0x21,               // u16 parameter, u16 index, the value's bytes -> nothing
    kReadRawParam = 0x22,           // u32 address -> 5 bytes
    kGetBoardVersion = 0x23,        // -> string
    kGetDocumentCount = 0x30,       // -> u32
    kGetDocumentName = 0x31,        // u32 number -> string (GBK)
    kGetDocumentTime = 0x32,        // u32 number -> i32 ms
    kDeleteDocument = 0x33,         // u32 number (0 = all) -> nothing
    kStartDocument = 0x34,          // u32 number -> nothing
    kCalculateDocumentTime = 0x35,  // u32 number -> nothing
    kEndDownload = 0x3A,  // u32 chunk count, u32 CRC-32 of the bytes -> nothing once the document is stored
    kBeginDownload = 0x36,  // string name (GBK) -> nothing; later data chunks fill the new document
    kDataChunk = 0x37,  // u32 chunk number, bytes -> chunk acknowledgement; into a download, else the live job
    kGetDocumentPageCount = 0x38,  // u32 number -> u32 pages
    kGetDocumentPage = 0x39,  // u32 number, u32 page -> u32 length, the page's bytes (status 0, 2, 3 or 4)
    kPause = 0x40,
    kResume = 0x41,
    kStop = 0x42,
    kSetJogSpeed = 0x43,  // f64 mm/s
    kSetJogPower = 0x44,  // u8 which (0 min, 1 max), f64 percent laser 1, f64 percent laser 2, i32 mode
    kAxisMove = 0x45,     // u32 axis, f64 mm, u32, u32, u32 mode
    kBulkBegin = 0x50,    // u8 bulk kind, u32 total bytes, u32 CRC-32 of them
    kBulkChunk = 0x51,    // u32 chunk number, bytes -> chunk acknowledgement
    kBulkEnd = 0x52,      // -> nothing once the controller has checked and taken the data
};

// The answer to a chunk: u32 chunks held in order (the number of the first one missing), then u64 whose
// bit i says that chunk (first missing + 1 + i) is held as well.

// What a bulk transfer carries.
enum class BulkKind : std::uint8_t { kMonoLogo = 1, kColorLogo = 2, kFirmware = 3 };

// Answer statuses of the controller. kOk, kBusy and the page codes reach the caller unchanged.
enum class AnswerStatus : std::uint16_t {
    kOk = 0,
    kMismatch = 2,  // to kHello: the controller software does not match the mainboard
    kBusy = 2,      // to kGetDocumentPage: ask again
    kMorePages = 3,
    kLastPage = 4,
    kRefused = 6,    // a valid request that the controller cannot carry out
    kMalformed = 9,  // a request whose payload the controller could not read
};

}  // namespace motionlink::link
