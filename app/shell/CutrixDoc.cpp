// CCutrixDoc: the document file and the undo form of the drawing, and the save question.
#include "CutrixDoc.h"

#include <memory>

#include "AsciiText.h"
#include "AtomicFile.h"
#include "CadMgr.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"

namespace {

std::string LanguagePair(const char* chinese, const char* english) {
    return LanguageIndex == kLanguageSimplifiedChinese ? chinese : english;
}

platform::Archive LoadingArchive(std::span<const std::uint8_t> bytes) {
    return platform::Archive::ForLoading(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// Every version this program's family wrote starts so; another start means the file is no document.
constexpr std::string_view kVersionFamily = "ZintFILEVER";

// Reads the magic (not checked) and the version string: kOpened for this version, kWrongVersion for
// another of the family, kNotADocument for anything else or a file that ends before the string does.
CCutrixDoc::LoadResult ReadDocumentHeader(platform::Archive& ar) {
    try {
        ar.ReadU32();
        const std::string version = ar.ReadString();
        FileFormatFlag = kCurrentLayout;
        if (platform::EqualIgnoringCase(version, kFileVersionString)) {
            return CCutrixDoc::LoadResult::kOpened;
        }
        const bool ofTheFamily =
            version.size() >= kVersionFamily.size() &&
            platform::EqualIgnoringCase(version.substr(0, kVersionFamily.size()), kVersionFamily);
        return ofTheFamily ? CCutrixDoc::LoadResult::kWrongVersion : CCutrixDoc::LoadResult::kNotADocument;
    } catch (const platform::ArchiveError&) {
        return CCutrixDoc::LoadResult::kNotADocument;
    }
}

CCutrixDoc::LoadResult LoadSettingsAndDrawing(CCadMgr& manager, platform::Archive& ar) {
    try {
        if (manager.Serialize(ar) != 1) {
            return CCutrixDoc::LoadResult::kSettingsRefused;
        }
    } catch (const platform::ArchiveError&) {
        return CCutrixDoc::LoadResult::kSettingsRefused;
    }
    return manager.SerializeDrawing(ar) == 1 ? CCutrixDoc::LoadResult::kOpened
                                             : CCutrixDoc::LoadResult::kDrawingRefused;
}

}  // namespace

CCutrixDoc::CCutrixDoc(CCadMgr& manager) : manager_(manager) {}

std::vector<std::uint8_t> CCutrixDoc::StoreDocument() const {
    platform::Archive ar = platform::Archive::ForStoring();
    ar.WriteU32(kMagic);
    ar.WriteString(kFileVersionString);
    manager_.Serialize(ar);
    manager_.SerializeDrawing(ar);
    return ar.Bytes();
}

// The manager takes a settings block over only when it reads whole, but taking it over clears the
// drawing, and the drawing that follows may still be refused. So the file is read first into a manager
// of its own, and the real one reads it only once that has succeeded.
CCutrixDoc::LoadResult CCutrixDoc::LoadDocument(std::span<const std::uint8_t> bytes) {
    platform::Archive probeArchive = LoadingArchive(bytes);
    if (const LoadResult header = ReadDocumentHeader(probeArchive); header != LoadResult::kOpened) {
        return header;
    }
    const auto probe = std::make_unique<CCadMgr>();
    const LoadResult probed = LoadSettingsAndDrawing(*probe, probeArchive);
    if (probed != LoadResult::kOpened) {
        return probed;
    }
    platform::Archive ar = LoadingArchive(bytes);
    ReadDocumentHeader(ar);
    return LoadSettingsAndDrawing(manager_, ar);
}

CCutrixDoc::LoadResult CCutrixDoc::OpenDocument(const std::filesystem::path& file,
                                                platform::MessageSink& messages) {
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(file);
    const LoadResult result = bytes ? LoadDocument(*bytes) : LoadResult::kCannotRead;
    if (result != LoadResult::kOpened) {
        const std::string text = result == LoadResult::kCannotRead     ? OpenFailedText()
                                 : result == LoadResult::kWrongVersion ? VersionMessageText()
                                                                       : DamagedDocumentText();
        messages.ShowMessageBox(text, "", platform::kOk | platform::kIconWarning);
        return result;
    }
    path_ = file;
    title_ = file.filename().string();
    modified_ = false;
    return result;
}

bool CCutrixDoc::WriteDocumentTo(const std::filesystem::path& file) const {
    return platform::WriteFileAtomically(file, StoreDocument());
}

bool CCutrixDoc::SaveDocument(const std::filesystem::path& file) {
    if (!WriteDocumentTo(file)) {
        return false;
    }
    path_ = file;
    title_ = file.filename().string();
    modified_ = false;
    return true;
}

void CCutrixDoc::StoreUndo(platform::Archive& ar) const {
    manager_.SerializeUndo(ar);
}

// The same two-step read as the document: a snapshot that does not read whole leaves the drawing alone.
bool CCutrixDoc::LoadUndo(std::span<const std::uint8_t> bytes) {
    platform::Archive probeArchive = LoadingArchive(bytes);
    if (std::make_unique<CCadMgr>()->SerializeUndo(probeArchive) != 1) {
        return false;
    }
    platform::Archive ar = LoadingArchive(bytes);
    manager_.DeleteAll();
    return manager_.SerializeUndo(ar) == 1;
}

void CCutrixDoc::ResetToNew() {
    path_.clear();
    title_.clear();
    modified_ = false;
}

std::string VersionMessageText() {
    return LanguagePair("非当前版本文件格式，与软件不兼容!",
                        "Early version,is not compatible with the software!");
}

std::string SaveQuestionText() {
    return LanguagePair("文件已修改，是否保存?", "File be modified,save or not?");
}

std::string OpenFailedText() {
    return LanguagePair("文件无法打开!", "The file could not be opened!");
}

std::string DamagedDocumentText() {
    return GetLangText("Prompt", "Damaged");
}

std::string SaveFailedText() {
    return LanguagePair("文件无法保存!", "The file could not be saved!");
}

bool CanCloseFrame(CCutrixDoc& doc, platform::MessageSink& messages, SavePathChooser& chooser) {
    if (!doc.IsModified()) {
        return true;
    }
    const int answer =
        messages.ShowMessageBox(SaveQuestionText(), "", platform::kYesNoCancel | platform::kIconQuestion);
    if (answer == platform::kResultNo) {
        return true;
    }
    if (answer != platform::kResultYes) {
        return false;
    }
    const std::optional<std::filesystem::path> file = chooser.ChooseSavePath();
    if (!file) {
        return false;
    }
    if (!doc.WriteDocumentTo(*file)) {
        messages.ShowMessageBox(SaveFailedText(), "", platform::kOk | platform::kIconError);
        return false;
    }
    return true;
}
