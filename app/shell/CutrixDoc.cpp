// CCutrixDoc: the document file and the undo form of the drawing, and the save question.
#include "CutrixDoc.h"

#include "AsciiText.h"
#include "AtomicFileStream.h"
#include "CadMgr.h"
#include "LanguageTexts.h"
#include "MappedFile.h"
#include "SettingsGlobals.h"

namespace {

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

CCutrixDoc::LoadResult ResultOf(CCadMgr::BodyLoad body) {
    switch (body) {
        case CCadMgr::BodyLoad::kLoaded:
            return CCutrixDoc::LoadResult::kOpened;
        case CCadMgr::BodyLoad::kSettingsRefused:
            return CCutrixDoc::LoadResult::kSettingsRefused;
        case CCadMgr::BodyLoad::kDrawingRefused:
            break;
    }
    return CCutrixDoc::LoadResult::kDrawingRefused;
}

}  // namespace

CCutrixDoc::CCutrixDoc(CCadMgr& manager) : manager_(manager) {}

void CCutrixDoc::StoreDocument(platform::Archive& ar) const {
    ar.WriteU32(kMagic);
    ar.WriteString(kFileVersionString);
    manager_.Serialize(ar);
    manager_.SerializeDrawing(ar);
}

std::vector<std::uint8_t> CCutrixDoc::StoreDocument() const {
    platform::Archive ar = platform::Archive::ForStoring();
    StoreDocument(ar);
    return ar.TakeBytes();
}

// One pass over the bytes, borrowed rather than copied: the manager reads the settings and the drawing
// into objects of its own and takes them over only when both read whole.
CCutrixDoc::LoadResult CCutrixDoc::LoadDocument(std::span<const std::uint8_t> bytes) {
    platform::Archive ar = platform::Archive::ForLoadingView(bytes);
    if (const LoadResult header = ReadDocumentHeader(ar); header != LoadResult::kOpened) {
        return header;
    }
    return ResultOf(manager_.LoadDocumentBody(ar));
}

CCutrixDoc::LoadResult CCutrixDoc::OpenDocument(const std::filesystem::path& file,
                                                platform::MessageSink& messages) {
    // Mapped rather than read: a large document's bytes then cost no fresh memory. A program that cuts
    // the file short in place while it is being opened is the one case this does not survive.
    const std::optional<platform::MappedFile> mapped = platform::MappedFile::Open(file);
    const LoadResult result = mapped ? LoadDocument(mapped->Bytes()) : LoadResult::kCannotRead;
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

// Streamed into the temporary file: a large drawing is never held whole in memory on its way to disk.
bool CCutrixDoc::WriteDocumentTo(const std::filesystem::path& file) const {
    platform::AtomicFileStream stream(file);
    platform::Archive ar = platform::Archive::ForStoringInto(stream.File());
    StoreDocument(ar);
    return ar.Flush() && stream.Commit();
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

bool CCutrixDoc::LoadUndo(std::span<const std::uint8_t> bytes) {
    platform::Archive ar = platform::Archive::ForLoadingView(bytes);
    return manager_.ReplaceElementsFromUndo(ar) == 1;
}

void CCutrixDoc::ResetToNew() {
    path_.clear();
    title_.clear();
    modified_ = false;
}

std::string VersionMessageText() {
    return GetLangText("DocMsg", "1");
}

std::string SaveQuestionText() {
    return GetLangText("DocMsg", "2");
}

std::string OpenFailedText() {
    return GetLangText("DocMsg", "3");
}

std::string DamagedDocumentText() {
    return GetLangText("Prompt", "Damaged");
}

std::string SaveFailedText() {
    return GetLangText("DocMsg", "4");
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
