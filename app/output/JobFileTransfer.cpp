#include "JobFileTransfer.h"

#include "ConnectSetting.h"
#include "Progress.h"
#include "WorkerTask.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

std::vector<std::uint32_t> JobPieceLengths(std::uint64_t fileBytes) {
    std::vector<std::uint32_t> pieces(fileBytes / kJobPieceBytes, kJobPieceBytes);
    if (const auto rest = static_cast<std::uint32_t>(fileBytes % kJobPieceBytes); rest != 0) {
        pieces.push_back(rest);
    }
    return pieces;
}

bool SendJobFilePieces(const std::string& path, const std::function<std::uint16_t()>& beforeFirstPiece,
                       const WorkerTask* stoppable) {
    std::ifstream file(path, std::ios::binary);
    std::error_code error;
    const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
    if (!file || error || fileBytes == 0) {
        return false;
    }
    std::array<std::uint8_t, kJobPieceBytes> piece{};
    std::uint64_t sentBytes = 0;
    bool first = true;
    for (const std::uint32_t length : JobPieceLengths(fileBytes)) {
        if (!file.read(reinterpret_cast<char*>(piece.data()), length)) {
            return false;
        }
        if (first && beforeFirstPiece && beforeFirstPiece() != 0) {
            return false;
        }
        first = false;
        if ((stoppable != nullptr && stoppable->StopRequested()) || WritePortData(piece.data(), length) != 0) {
            return false;
        }
        sentBytes += length;
        ProgressRatio = static_cast<double>(sentBytes) / static_cast<double>(fileBytes);
    }
    return true;
}
