// Keeping damaged files aside and telling the operator of them.
#include "DamagedFiles.h"

#include "AtomicFile.h"
#include "KeepAside.h"
#include "ProgramFolder.h"

#include <string>
#include <vector>

namespace {

// A notice names a handful of files; anything larger is not a notice of ours.
constexpr std::uintmax_t kMaxNoticeBytes = 64u << 10;

struct NoticeLine {
    std::string name;
    std::string asideName;  // empty: left in place
};

std::string NoticeText(const std::filesystem::path& folder) {
    const platform::LimitedRead read =
        platform::ReadWholeFileWithin(folder / kDamagedNoticeFile, kMaxNoticeBytes);
    return read.status == platform::ReadStatus::kRead ? std::string(read.bytes.begin(), read.bytes.end())
                                                      : std::string();
}

// Only names of files within the folder count: a damaged notice must not point elsewhere.
bool IsNameWithin(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        return false;
    }
    const std::filesystem::path path(name);
    if (path.is_absolute()) {
        return false;
    }
    for (const std::filesystem::path& part : path) {
        if (part == ".." || part == ".") {
            return false;
        }
    }
    return true;
}

std::string WithinFolder(const std::filesystem::path& file, const std::filesystem::path& folder) {
    return file.lexically_normal().lexically_relative(folder.lexically_normal()).string();
}

// The notice of a file in the program folder, or in a folder of it, is the program folder's, so that
// one message at start names them all; any other file's notice lies beside it.
std::filesystem::path NoticeFolderFor(const std::filesystem::path& file) {
    const std::filesystem::path programFolder = platform::ProgramFolder();
    if (!programFolder.empty()) {
        if (IsNameWithin(WithinFolder(file, programFolder))) {
            return programFolder;
        }
    }
    return file.parent_path();
}

std::vector<NoticeLine> ReadNotice(const std::filesystem::path& folder) {
    std::vector<NoticeLine> lines;
    const std::string notice = NoticeText(folder);
    std::string_view text = notice;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            continue;
        }
        NoticeLine parsed{std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))};
        if (IsNameWithin(parsed.name) && (parsed.asideName.empty() || IsNameWithin(parsed.asideName))) {
            lines.push_back(std::move(parsed));
        }
    }
    return lines;
}

// The file and the name its bytes were kept under, as paths within the notice's folder.
void AppendToNotice(const std::filesystem::path& file, const std::filesystem::path& aside) {
    const std::filesystem::path folder = NoticeFolderFor(file);
    const std::string asideName = aside.empty() ? std::string() : WithinFolder(aside, folder);
    const std::string line = WithinFolder(file, folder) + '\t' + asideName + '\n';
    std::string text = NoticeText(folder);
    if (text.find(line) != std::string::npos) {
        return;  // a file left in place is noted once however often it is refused
    }
    text += line;
    platform::WriteFileAtomically(folder / kDamagedNoticeFile, std::string_view(text));
}

std::string MessageText(const std::filesystem::path& folder, const std::vector<NoticeLine>& lines) {
    std::string text =
        "These settings files were damaged and could not be read; the program uses its built-in values in "
        "their place.\n";
    for (const NoticeLine& line : lines) {
        text += '\n';
        text += (folder / line.name).string();
        if (line.asideName.empty()) {
            text += "\n    left as it is";
        } else {
            text += "\n    its old content is kept in ";
            text += (folder / line.asideName).string();
        }
    }
    return text;
}

}  // namespace

bool KeepAsideBeforeRewrite(const std::filesystem::path& file) {
    const std::optional<std::filesystem::path> aside = platform::KeepAside(file, kDamagedSuffix);
    if (!aside) {
        return false;
    }
    AppendToNotice(file, *aside);
    return true;
}

void NoteDamagedFileLeftInPlace(const std::filesystem::path& file) {
    AppendToNotice(file, std::filesystem::path());
}

void TellOfDamagedFiles(const std::filesystem::path& folder, platform::MessageSink& messages) {
    const std::vector<NoticeLine> lines = ReadNotice(folder);
    std::error_code ignored;
    std::filesystem::remove(folder / kDamagedNoticeFile, ignored);
    if (!lines.empty()) {
        messages.ShowMessageBox(MessageText(folder, lines), "Damaged settings files",
                                platform::kOk | platform::kIconWarning);
    }
}

void TellOfDamagedFiles(platform::MessageSink& messages) {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (!folder.empty()) {
        TellOfDamagedFiles(folder, messages);
    }
}
