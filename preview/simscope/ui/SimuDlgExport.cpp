// The export: the module's text store and clock, and the modal run of the simulation window.
#include "Simscope.h"

#include <QApplication>

#include "ProgramFolder.h"
#include "SimuDlg.h"

namespace {

// The preview texts live as long as the library: a later call reads its language file into the same
// store.
CTextStore& ModuleTexts() {
    static CTextStore texts;
    return texts;
}

simscope::PlaybackClock& ModuleClock() {
    static simscope::SteadyPlaybackClock clock;
    return clock;
}

}  // namespace

std::uint16_t Zint_SimuDlg(const char* utf8Path, std::uint16_t language, std::uint16_t originCorner,
                           std::uint16_t readerFlag) {
    // A caller without an application of its own still gets a window.
    std::unique_ptr<QApplication> ownApplication;
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "Simscope";
        static char* argv[] = {name, nullptr};
        ownApplication = std::make_unique<QApplication>(argc, argv);
    }
    CSimuDlg::Setup setup;
    setup.jobPath = utf8Path != nullptr ? utf8Path : "";
    setup.language = language;
    setup.originCorner = simscope::CornerFromCode(originCorner);
    setup.readerFlag = readerFlag;
    setup.programFolder = platform::ProgramFolder();
    setup.texts = &ModuleTexts();
    setup.clock = &ModuleClock();
    CSimuDlg dialog(setup);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
    return 0;
}
