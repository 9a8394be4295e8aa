// Opening the text dialog with both font lists filled from this machine's fonts, and its owner-drawn
// TrueType list alone, each beside a plain dialog with one combo box of the same family names. The
// list should cost at most a few times the plain one; the whole dialog well under 200 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QStringList>
#include <QVBoxLayout>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "DialogMessages.h"
#include "FontCombos.h"
#include "FontFamilies.h"
#include "RecordingMessageSink.h"
#include "TextDlg.h"
#include "TextEdit.h"

namespace {

// One application for the whole run, offscreen, over a program folder of its own without SHX fonts.
QApplication& Application() {
    static int argc = 1;
    static char name[] = "TextDlgBench";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        const auto home =
            std::filesystem::temp_directory_path() / ("text-dialog-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(home);
        setenv("CUTRIX_HOME", home.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QApplication(argc, argv);
    }();
    return *application;
}

platform::RecordingMessageSink& Messages() {
    static platform::RecordingMessageSink messages;  // the missing big font's notice goes here
    return messages;
}

void ShowAndSettle(QDialog& dialog) {
    dialog.show();
    QApplication::processEvents();
}

void BM_OpenTextDialog(benchmark::State& state) {
    Application();
    dialogkit::SetMessageSink(&Messages());
    letterforge::DialogLanguage = 1;
    for (auto _ : state) {
        letterforge::EditTextParam = CTextParam();
        letterforge::CTextDlg dialog(nullptr);
        ShowAndSettle(dialog);
        Messages().Clear();
    }
    dialogkit::SetMessageSink(nullptr);
}
BENCHMARK(BM_OpenTextDialog)->Unit(benchmark::kMillisecond);

void BM_OpenDialogWithFamilyCombo(benchmark::State& state) {
    Application();
    for (auto _ : state) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* combo = new QComboBox(&dialog);
        QStringList names;
        for (const platform::FontFamily& family : platform::ListFontFamilies()) {
            names.push_back(QString::fromStdString(family.name));
        }
        combo->addItems(names);
        layout->addWidget(combo);
        ShowAndSettle(dialog);
    }
}
BENCHMARK(BM_OpenDialogWithFamilyCombo)->Unit(benchmark::kMillisecond);

// The TrueType list alone in the same plain dialog: what the owner-drawn list costs beside the plain one.
void BM_OpenDialogWithTrueTypeList(benchmark::State& state) {
    Application();
    for (auto _ : state) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* combo = new letterforge::CTrueTypeFontCombo(&dialog);
        combo->SetItemFontHeight(14, true);
        layout->addWidget(combo);
        ShowAndSettle(dialog);
    }
}
BENCHMARK(BM_OpenDialogWithTrueTypeList)->Unit(benchmark::kMillisecond);

}  // namespace
