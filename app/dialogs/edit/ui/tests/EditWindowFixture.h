// The editing tool dialogs' windows driven offscreen by control id, over a drawing manager and document
// of their own, with the shell's undo history listening to the manager as the main window does.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "ElementBuilders.h"
#include "LanguageTexts.h"
#include "RecordingOwnerWindow.h"
#include "ShellDocumentFixture.h"
#include "TextLookup.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"

class EditWindowFixture : public ShellDocumentFixture {
  protected:
    void SetUp() override {
        ShellDocumentFixture::SetUp();
        platform::EnsureWidgetApplication();
        widgets::SetTextLookup(GetLangText);
        dialogkit::SetMessageSink(&messages);
        manager->SetOwnerHwnd(&owner);
    }
    void TearDown() override {
        dialogkit::SetMessageSink(nullptr);
        widgets::SetTextLookup(nullptr);
        manager->SetOwnerHwnd(nullptr);
    }

    CCadCurve* AddCurve(const std::vector<SDPoint>& points, bool closed) {
        CCadCurve* curve = MakeCurve(points, closed).release();
        EXPECT_EQ(manager->AddElement(curve), 1);
        return curve;
    }

    // Starts the history over the drawing as it now stands.
    void StartHistory() {
        history.Start(doc);
        owner.Clear();
    }
    // Each change notice since the last call becomes an undo step, as in the main window.
    int UndoStepsTaken() {
        int steps = 0;
        for (const platform::PostedMessage& posted : owner.Posted()) {
            if (posted.message == kDrawingModifiedMessage) {
                history.OnDrawingModified(doc);
                ++steps;
            }
        }
        owner.Clear();
        return steps;
    }

    static QLineEdit& Edit(QWidget& dialog, int id) { return *dialogkit::Find<QLineEdit>(dialog, id); }
    static void Click(QWidget& dialog, int id) { dialogkit::Find<QPushButton>(dialog, id)->click(); }

    platform::RecordingOwnerWindow owner;
    UndoHistory history;
};
