// The main window's libraries, the job preview's and the light-guide-plate designer's in one process:
// the toolkit they share must exist once in it, or the sanitizer stops the program at load.
#include <QImage>

#include <gtest/gtest.h>

#include "GradientBar.h"
#include "LgpScaleDlg.h"
#include "StatusBarXP.h"
#include "TextProgressCtrl.h"
#include "ToolBarEx.h"
#include "WidgetTestApplication.h"

namespace {

class WindowLibrariesTogetherTest : public platform::WidgetTest {};

TEST_F(WindowLibrariesTogetherTest, ToolkitPreviewAndDesignerWidgetsLiveSideBySide) {
    CToolBarEx toolBar;
    CStatusBarXP statusBar;
    CTextProgressCtrl progress;
    CGradientBar gradient;
    dotplate::ui::CLgpScaleDlg designerFrame(nullptr, dotplate::LgpFrameSettings{}, true);

    // One meta-object per toolkit class, whichever library made the widget.
    EXPECT_EQ(toolBar.metaObject(), &CToolBarEx::staticMetaObject);
    EXPECT_EQ(progress.metaObject(), &CTextProgressCtrl::staticMetaObject);
    EXPECT_NE(qobject_cast<CStatusBarXP*>(&statusBar), nullptr);
    EXPECT_EQ(designerFrame.metaObject()->superClass(), &dialogkit::RecordDialogBase::staticMetaObject);

    gradient.resize(60, 12);
    EXPECT_FALSE(gradient.grab().isNull());
    EXPECT_FALSE(designerFrame.grab().isNull());
}

}  // namespace
