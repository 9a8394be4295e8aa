#include "LgpControllerJobs.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "JobFileSink.h"
#include "LgpJobSender.h"
#include "LgpLink.h"
#include "LgpWorker.h"
#include "Motionlink.h"
#include "ProgramFolder.h"

namespace dotplate {

namespace {

constexpr std::size_t kChunkBytes = LgpJobSender::kMaxWrite;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

// Closes the controller connection when it goes, on every path of a worker.
struct OpenController {
    ~OpenController() { Zint_Close(); }
};

// The open job file and its length; no file when it cannot be opened or holds nothing to send.
struct JobFileToSend {
    OpenFile file;
    std::uint64_t length = 0;

    explicit JobFileToSend(const std::filesystem::path& path) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (error || size == 0) {
            return;
        }
        file.reset(std::fopen(path.c_str(), "rb"));
        length = size;
    }
    explicit operator bool() const { return file != nullptr; }
};

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// Sends the job file's bytes, as a document under the name or, without one, as a job to run.
int SendJobFileContent(CLgpLink& link, const std::filesystem::path& jobFile, const std::string* documentName,
                       std::uint16_t languageIndex, std::stop_token stop, LgpWorkerStatus& status) {
    status.SetWaitText(languageIndex == 0 ? "正在下载文件,请稍候..." : "Downloading file,Please wait...");
    status.progress.store(0.0);
    JobFileToSend source(jobFile);
    if (!source || link.Open() != 0) {
        return 1;
    }
    OpenController controller;
    if (documentName != nullptr && Zint_StrtDownFile(*documentName) != 0) {
        return 1;
    }
    LgpJobSender sender;
    std::vector<std::uint8_t> chunk(kChunkBytes);
    std::uint64_t sent = 0;
    for (;;) {
        if (stop.stop_requested()) {
            return 1;
        }
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), source.file.get());
        if (got == 0) {
            break;
        }
        if (sender.Send(chunk.data(), got) != 0) {
            return 1;
        }
        sent += got;
        status.progress.store(std::min(1.0, static_cast<double>(sent) / static_cast<double>(source.length)));
    }
    if (std::ferror(source.file.get()) != 0 || sender.Flush() != 0) {
        return 1;
    }
    status.progress.store(1.0);
    return 0;
}

}  // namespace

int ReadMachineState(CLgpLink& link, std::uint16_t languageIndex, std::array<std::uint8_t, 5>& state,
                     LgpWorkerStatus& status) {
    status.SetWaitText(languageIndex == 0 ? "请稍候" : "Please wait");
    if (link.Open() != 0) {
        return 1;
    }
    OpenController controller;
    std::array<std::uint8_t, 5> read{};
    if (Zint_GetMachineStauts(read.data()) != 0 && Zint_GetMachineStauts(read.data()) != 0) {
        return 1;
    }
    state = read;
    return 0;
}

int ProcessDotJob(CLgpLink& link, const LgpDotJob& job, const std::filesystem::path* jobFile,
                  std::uint16_t languageIndex, LgpWorkerStatus& status) {
    status.SetWaitText(languageIndex == 0 ? "正在处理数据,请稍候..." : "Processing data,Please wait...");
    status.progress.store(0.0);
    if (jobFile != nullptr) {
        motionlink::JobFileSink sink(*jobFile);
        return WriteDotJob(job, &sink, status.progress);
    }
    if (link.Open() != 0) {
        return 1;
    }
    OpenController controller;
    return WriteDotJob(job, nullptr, status.progress);
}

int DownloadJobFile(CLgpLink& link, const std::filesystem::path& jobFile, const std::string& documentName,
                    std::uint16_t languageIndex, std::stop_token stop, LgpWorkerStatus& status) {
    return SendJobFileContent(link, jobFile, &documentName, languageIndex, stop, status);
}

int SendJobFileToController(CLgpLink& link, const std::filesystem::path& jobFile, std::uint16_t languageIndex,
                            std::stop_token stop, LgpWorkerStatus& status) {
    return SendJobFileContent(link, jobFile, nullptr, languageIndex, stop, status);
}

bool IsJobFilePath(const std::filesystem::path& file) {
    return UpperCase(file.extension().string()) == ".ZINT";
}

LgpDocumentNameCheck CheckNewDocumentName(CLgpLink& link, const std::string& name) {
    if (link.Open() != 0) {
        return LgpDocumentNameCheck::kCommunicationError;
    }
    OpenController controller;
    std::uint32_t count = 0;
    if (Zint_GetTotalDocNum(&count) != 0) {
        return LgpDocumentNameCheck::kCommunicationError;
    }
    const std::string wanted = UpperCase(name);
    for (std::uint32_t number = 1; number <= count; ++number) {
        std::string stored;
        if (Zint_GetDocumentName(number, &stored) != 0) {
            return LgpDocumentNameCheck::kReadNameFailure;
        }
        if (UpperCase(stored) == wanted) {
            return LgpDocumentNameCheck::kDuplicate;
        }
    }
    return LgpDocumentNameCheck::kFree;
}

LgpTemporaryJob::LgpTemporaryJob() {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(folder / "temp", error);
    std::string pattern = (folder / "temp" / "lgp-XXXXXX.zint").string();
    const int descriptor = ::mkstemps(pattern.data(), 5);
    if (descriptor < 0) {
        return;
    }
    ::close(descriptor);
    path_ = pattern;
}

LgpTemporaryJob::~LgpTemporaryJob() {
    if (!path_.empty()) {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
}

}  // namespace dotplate
