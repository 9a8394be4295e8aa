// The real-window test's headless half: documents saved from the real window hold what a headless import
// of the same DXF gives: as many elements, of the same kinds and colours, in the same boxes. The import
// runs through the main window's own import, on the settings the window's run left in the program folder.
//
// usage: RealWindowCheck DRAWING.dxf DOCUMENT.lcx...   (exit 0 when every document matches)
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "AtomicFile.h"
#include "CadMgr.h"
#include "CutrixDoc.h"
#include "ImportDlg.h"
#include "MainFrame.h"
#include "StartupThread.h"
#include "UndoStore.h"

namespace {

constexpr double kBoxToleranceMm = 1e-6;
// Lines, a rectangle, a circle, an arc and a polyline on three colours: an import that loses most of them
// must not pass as a match of two empty drawings.
constexpr std::size_t kLeastElements = 3;
constexpr std::size_t kLeastColours = 3;

struct ElementSummary {
    std::uint16_t typeCode;
    std::uint32_t color;
    CCadRect box;
};

std::vector<ElementSummary> Summarize(const CCadMgr& manager) {
    std::vector<ElementSummary> summary;
    for (auto* node = manager.elementList.head->next; node != manager.elementList.head; node = node->next) {
        summary.push_back({node->value->typeCode, node->value->color, node->value->rect});
    }
    return summary;
}

bool SameBox(const CCadRect& a, const CCadRect& b) {
    return std::abs(a.x1 - b.x1) <= kBoxToleranceMm && std::abs(a.y1 - b.y1) <= kBoxToleranceMm &&
           std::abs(a.x2 - b.x2) <= kBoxToleranceMm && std::abs(a.y2 - b.y2) <= kBoxToleranceMm;
}

void Print(const char* label, std::size_t index, const ElementSummary& element) {
    std::printf("  %s %zu: type %u colour %06X box (%.6f, %.6f) - (%.6f, %.6f)\n", label, index,
                static_cast<unsigned>(element.typeCode), static_cast<unsigned>(element.color), element.box.x1,
                element.box.y1, element.box.x2, element.box.y2);
}

bool Matches(const char* document, const std::vector<ElementSummary>& expected,
             const std::vector<ElementSummary>& actual) {
    bool same = expected.size() == actual.size();
    if (!same) {
        std::printf("%s: %zu elements, the import gives %zu\n", document, actual.size(), expected.size());
    }
    for (std::size_t index = 0; index < std::min(expected.size(), actual.size()); ++index) {
        const ElementSummary& want = expected[index];
        const ElementSummary& got = actual[index];
        if (want.typeCode != got.typeCode || want.color != got.color || !SameBox(want.box, got.box)) {
            std::printf("%s: element %zu differs\n", document, index);
            Print("imported", index, want);
            Print("saved", index, got);
            same = false;
        }
    }
    return same;
}

std::optional<std::vector<ElementSummary>> LoadDocument(const char* file) {
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(file);
    auto manager = std::make_unique<CCadMgr>();
    CCutrixDoc doc(*manager);
    if (!bytes || doc.LoadDocument(*bytes) != CCutrixDoc::LoadResult::kOpened) {
        return std::nullopt;
    }
    return Summarize(*manager);
}

bool IsRichEnough(const std::vector<ElementSummary>& imported) {
    std::set<std::uint32_t> colours;
    for (const ElementSummary& element : imported) {
        colours.insert(element.color);
    }
    return imported.size() >= kLeastElements && colours.size() >= kLeastColours;
}

// A dialog would wait for a user who is not there: it is closed and counts as a failure. The import's
// wait box is no question: it closes by itself when the import is done.
void CloseEveryDialog(bool& dialogShown) {
    auto* watchdog = new QTimer(qApp);
    QObject::connect(watchdog, &QTimer::timeout, [&dialogShown] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && qobject_cast<CImportDlg*>(dialog) == nullptr) {
            std::printf("unexpected dialog: %s\n", dialog->windowTitle().toUtf8().constData());
            dialogShown = true;
            dialog->close();
        }
    });
    watchdog->start(100);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: RealWindowCheck DRAWING.dxf DOCUMENT.lcx...\n");
        return 2;
    }
    QApplication application(argc, argv);
    bool dialogShown = false;
    CloseEveryDialog(dialogShown);

    StartupThread();
    CopyWorkSizeToPage(theCadMgr);
    CUndoStore::Init();
    CMainFrame frame(theCadMgr);
    if (!frame.ImportFile(argv[1]) || dialogShown) {
        std::printf("the headless import of %s failed\n", argv[1]);
        return 1;
    }
    const std::vector<ElementSummary> imported = Summarize(theCadMgr);
    for (std::size_t index = 0; index < imported.size(); ++index) {
        Print("imported", index, imported[index]);
    }
    if (!IsRichEnough(imported)) {
        std::printf("the import gives too little to compare\n");
        return 1;
    }

    bool allMatch = true;
    for (int argument = 2; argument < argc; ++argument) {
        const std::optional<std::vector<ElementSummary>> saved = LoadDocument(argv[argument]);
        if (!saved) {
            std::printf("%s does not load\n", argv[argument]);
            allMatch = false;
        } else if (Matches(argv[argument], imported, *saved)) {
            std::printf("%s holds the import\n", argv[argument]);
        } else {
            allMatch = false;
        }
    }
    return allMatch ? 0 : 1;
}
