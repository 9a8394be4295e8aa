// The export: the designer's session around one modal run of its main window.
#include "LgpDlgExport.h"

#include <memory>

#include <QApplication>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpMainDlg.h"
#include "LgpWindowTexts.h"
#include "ProgramFolder.h"

std::uint16_t Zint_LGPDlg(std::uint16_t language, std::uint16_t originCorner, std::uint16_t headPosition,
                          const CDbList<ReverseIntervalRow>* rows) {
    // A caller without an application of its own still gets a window.
    std::unique_ptr<QApplication> ownApplication;
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "Dotplate";
        static char* argv[] = {name, nullptr};
        ownApplication = std::make_unique<QApplication>(argc, argv);
    }
    dotplate::LgpDesigner& designer = dotplate::ui::Designer();
    designer.BeginSession(language, originCorner, headPosition, rows);
    designer.OpenSession(platform::ProgramFolder());
    dotplate::ui::CLgpMainDlg dialog;
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}
