// The view's text tool and double-click editing, with the text dialog driven by control id: Cancel
// changes nothing, a text lands at the click, and an edit rebuilds the glyphs as one undoable change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

#include "CadMgr.h"
#include "CadText.h"
#include "CutrixDoc.h"
#include "CutrixView.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "Letterforge.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"
#include "TestFontConfig.h"
#include "TextDlg.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

using dialogkit::Find;
using letterforge::CTextDlg;

// Runs the drive on the text dialog as soon as its loop starts.
void WhenDialogOpens(std::function<void(QWidget&)> drive) {
    QTimer::singleShot(0, [drive = std::move(drive)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        drive(*modal);
    });
}

void TypeAndConfirm(QWidget& dialog, const QString& text, const QString& height = {}) {
    Find<QPlainTextEdit>(dialog, CTextDlg::kTextEdit)->setPlainText(text);
    if (!height.isEmpty()) {
        Find<QLineEdit>(dialog, CTextDlg::kHeightEdit)->setText(height);
    }
    Find<QPushButton>(dialog, CTextDlg::kOkButton)->click();
}

// Turns the drawing manager's change notices into undo steps, as the main window does.
class UndoRecorder : public QObject {
  public:
    UndoRecorder(CCutrixDoc& doc, UndoHistory& history) : doc_(doc), history_(history) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == platform::WindowMessageEvent::EventType() &&
            static_cast<platform::WindowMessageEvent*>(event)->Message() == kDrawingModifiedMessage) {
            history_.OnDrawingModified(doc_);
        }
        return false;
    }

  private:
    CCutrixDoc& doc_;
    UndoHistory& history_;
};

class CutrixViewTextTest : public platform::WidgetTest {
  protected:
    static void SetUpTestSuite() { platform::testing::UseTestFontConfig(); }
    CutrixViewTextTest() {
        dialogkit::SetMessageSink(&messages);  // the missing big font is told here, not in a box
        LanguageIndex = kLanguageEnglish;
        manager->textParam.trueTypeFont = "DejaVu Sans";
        view.resize(401, 301);
        view.grab();  // the first paint makes the view the owner
        history.Start(doc);
        view.installEventFilter(&recorder);
    }
    ~CutrixViewTextTest() override { dialogkit::SetMessageSink(nullptr); }

    void Mouse(QEvent::Type type, QPoint at) {
        QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
    void Click(QPoint at) {
        Mouse(QEvent::MouseButtonPress, at);
        Mouse(QEvent::MouseButtonRelease, at);
    }
    void DoubleClick(QPoint at) {
        Click(at);
        Mouse(QEvent::MouseButtonDblClick, at);
        Mouse(QEvent::MouseButtonRelease, at);
    }
    SDPoint MmAt(QPoint at) {
        const platform::Point logical = manager->GetPreparedDC().DPtoLP(platform::Point{at.x(), at.y()});
        return {logical.x * 0.001, logical.y * 0.001};
    }
    QPoint PixelAt(SDPoint mm) {
        const platform::Point p = manager->GetPreparedDC().LPtoDP(
            platform::Point{static_cast<int>(mm.x * 1000), static_cast<int>(mm.y * 1000)});
        return {p.x, p.y};
    }
    CCadText* OnlyText() {
        if (manager->elementList.GetCount() != 1) {
            return nullptr;
        }
        return dynamic_cast<CCadText*>(manager->elementList.head->next->value);
    }
    // Places "AB" with the text tool at the click.
    CCadText* PlaceAB(QPoint at) {
        manager->toolMode = CCadMgr::kTextTool;
        WhenDialogOpens([](QWidget& dialog) { TypeAndConfirm(dialog, "AB"); });
        Click(at);
        return OnlyText();
    }
    static int GlyphCount(const CTextParam& params) {
        CDbList<CFileCurve*> glyphs;
        _text_create(nullptr, params.text, 0, params.trueTypeFont, params.height, params.charSpace,
                     params.lineSpace, params.widthPercent * 0.01, &glyphs);
        const int count = glyphs.GetCount();
        for (auto* node = glyphs.head->next; node != glyphs.head; node = node->next) {
            delete node->value;
        }
        return count;
    }

    platform::RecordingMessageSink messages;
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CCutrixView view{*manager};
    CCutrixDoc doc{*manager};
    UndoHistory history;
    UndoRecorder recorder{doc, history};
};

TEST_F(CutrixViewTextTest, CancelLeavesTheDrawingAndTheParametersOfNewTexts) {
    manager->toolMode = CCadMgr::kTextTool;
    const CTextParam before = manager->textParam;
    WhenDialogOpens([](QWidget& dialog) {
        Find<QPlainTextEdit>(dialog, CTextDlg::kTextEdit)->setPlainText("changed");
        Find<QPushButton>(dialog, dialogkit::kCancelButton)->click();
    });
    Click({100, 100});
    EXPECT_TRUE(manager->elementList.IsEmpty());
    EXPECT_EQ(manager->textParam, before);
}

TEST_F(CutrixViewTextTest, SpacesOnlyAddNothingAndReturnToSelect) {
    manager->toolMode = CCadMgr::kTextTool;
    WhenDialogOpens([](QWidget& dialog) { TypeAndConfirm(dialog, "   "); });
    Click({100, 100});
    EXPECT_TRUE(manager->elementList.IsEmpty());
    EXPECT_EQ(manager->toolMode, CCadMgr::kSelectTool);
}

TEST_F(CutrixViewTextTest, TextLandsAtTheClickAndBecomesTheDefault) {
    const QPoint at(150, 120);
    CCadText* text = PlaceAB(at);
    ASSERT_NE(text, nullptr);
    const SDPoint click = MmAt(at);
    EXPECT_NEAR(text->rect.x1, click.x, 1e-9);
    EXPECT_NEAR(text->rect.y1, click.y, 1e-9);
    EXPECT_EQ(text->textParam.text, "AB");
    EXPECT_EQ(manager->textParam.text, "AB");
    EXPECT_EQ(manager->toolMode, CCadMgr::kSelectTool);
    EXPECT_TRUE(manager->IsSelected(text));
}

TEST_F(CutrixViewTextTest, DoubleClickEditRebuildsTheGlyphsMarksModifiedAndUndoes) {
    CCadText* text = PlaceAB({150, 120});
    ASSERT_NE(text, nullptr);
    const QPoint onText = PixelAt({(text->rect.x1 + text->rect.x2) / 2, (text->rect.y1 + text->rect.y2) / 2});
    Click(onText);  // the first click of the double click belongs to the select tool
    QApplication::processEvents();
    const int stepsBefore = history.Count();
    WhenDialogOpens([](QWidget& dialog) { TypeAndConfirm(dialog, "ABC", "20"); });
    Mouse(QEvent::MouseButtonDblClick, onText);
    Mouse(QEvent::MouseButtonRelease, onText);
    QApplication::processEvents();
    text = OnlyText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textParam.text, "ABC");
    EXPECT_EQ(text->textParam.height, 20.0);
    EXPECT_EQ(text->children.GetCount(), GlyphCount(text->textParam));
    EXPECT_EQ(manager->textParam.text, "ABC");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(history.Count(), stepsBefore + 1);
    ASSERT_TRUE(history.Undo(doc));
    text = OnlyText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textParam.text, "AB");
}

TEST_F(CutrixViewTextTest, SerialTextShowsItsCurrentNumberAfterApplyOkAndAnEdit) {
    manager->textParam.varTextOn = 1;
    manager->textParam.varKind = 1;
    manager->textParam.snCurrent = "0007";
    manager->toolMode = CCadMgr::kTextTool;
    WhenDialogOpens([](QWidget& dialog) {
        for (int apply = 0; apply < 3; ++apply) {
            Find<QPushButton>(dialog, CTextDlg::kApplyButton)->click();
        }
        Find<QPushButton>(dialog, CTextDlg::kOkButton)->click();
    });
    Click({150, 120});
    CCadText* text = OnlyText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textParam.text, "0007");
    const QPoint onText = PixelAt({(text->rect.x1 + text->rect.x2) / 2, (text->rect.y1 + text->rect.y2) / 2});
    WhenDialogOpens([](QWidget& dialog) { Find<QPushButton>(dialog, CTextDlg::kOkButton)->click(); });
    DoubleClick(onText);
    text = OnlyText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textParam.snCurrent, "0007");
    EXPECT_EQ(text->textParam.text, "0007");
    EXPECT_EQ(text->children.GetCount(), GlyphCount(text->textParam));
}

}  // namespace
