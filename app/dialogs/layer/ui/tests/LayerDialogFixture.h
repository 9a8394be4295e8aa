// A drawing of its own with English texts, the widget application and the program's text lookup, for
// the layer dialogs driven offscreen by control ids.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CadMgrFixture.h"
#include "CurrentEditLayer.h"
#include "DialogControls.h"
#include "LanguageTexts.h"
#include "SettingsRecords.h"
#include "TextLookup.h"
#include "WidgetTestApplication.h"

class LayerDialogFixture : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        platform::EnsureWidgetApplication();
        widgets::SetTextLookup(GetLangText);
        gFileParaSettings = FileParaSettings{};
        PenModeFlag = 0;
    }
    void TearDown() override {
        CurrentEditLayer = nullptr;
        widgets::SetTextLookup(nullptr);
        manager->SetOwnerHwnd(nullptr);
        gFileParaSettings = FileParaSettings{};
        PenModeFlag = 0;
    }

    template <typename Control>
    static Control& Get(const QWidget& window, int id) {
        Control* control = dialogkit::Find<Control>(window, id);
        EXPECT_NE(control, nullptr) << id;
        return *control;
    }
    // Types into the edit and leaves it, as Tab would.
    static void Type(const QWidget& window, int id, const QString& text) {
        QLineEdit& edit = Get<QLineEdit>(window, id);
        edit.setFocus();
        edit.setText(text);
        emit edit.editingFinished();
    }
    static QString Text(const QWidget& window, int id) { return Get<QLineEdit>(window, id).text(); }
    static void Click(const QWidget& window, int id) { Get<QPushButton>(window, id).click(); }
    int ModifiedNotices() const {
        int notices = 0;
        for (std::uint32_t message : PostedMessages()) {
            notices += message == kDrawingModifiedMessage ? 1 : 0;
        }
        return notices;
    }
};
