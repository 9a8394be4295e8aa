// CCutrixDoc: the document file and the undo form of the drawing, and the save question.
#include "CutrixDoc.h"

#include "AsciiText.h"
#include "AtomicFileStream.h"
#include "CadMgr.h"
#include "LanguageTexts.h"
#include "MappedFile.h"
#include "SettingsGlobals.h"

namespace {

// Reads the magic (not checked) and the version string; false for another version or a file that
// ends before the string does.
bool ReadDocumentHeader(platform::Archive& ar) {
    try {
        ar.ReadU32();
        const std::string version = ar.ReadString();
        FileFormatFlag = kCurrentLayout;
        return platform::EqualIgnoringCase(version, kFileVersionString);
    } catch (const platform::ArchiveError&) {
        return false;
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
    if (!ReadDocumentHeader(ar)) {
        return LoadResult::kWrongVersion;
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
        messages.ShowMessageBox(result == LoadResult::kCannotRead ? OpenFailedText() : VersionMessageText(),
                                "", platform::kOk | platform::kIconWarning);
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
