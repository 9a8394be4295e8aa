// Sending a job file into the open controller connection piece by piece, as the download and send
// workers do: pieces of at most 1024 bytes, the progress as the share of bytes sent.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class WorkerTask;

inline constexpr std::uint32_t kJobPieceBytes = 1024;

// The lengths of the pieces that carry a file of that many bytes: full pieces, then what remains.
std::vector<std::uint32_t> JobPieceLengths(std::uint64_t fileBytes);

// Sends the file's bytes unchanged through WritePortData. `beforeFirstPiece` (may be empty) runs once,
// after the file was read but before its first piece goes out; its non-zero status fails the transfer.
// A stop asked of `stoppable` (may be null) is honoured before each piece. ProgressRatio becomes the
// share of the file's bytes handed to the connection. False for a missing, unreadable or empty file, a
// refused piece, or a stop.
bool SendJobFilePieces(const std::string& path, const std::function<std::uint16_t()>& beforeFirstPiece,
                       const WorkerTask* stoppable);
