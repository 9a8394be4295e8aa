#include "ImportDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QString>
#include <mutex>
#include <vector>

#include "FileImport.h"

namespace filebridge {

namespace {

std::optional<std::string> ChooseWithDialog(const std::string& qtFilter, const std::string& title) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return std::nullopt;
    }
    const QString chosen = QFileDialog::getOpenFileName(nullptr, QString::fromStdString(title), QString(),
                                                        QString::fromStdString(qtFilter));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

struct ChooserSlot {
    std::mutex mutex;
    FileChooser chooser;
};

ChooserSlot& Slot() {
    static ChooserSlot slot;
    return slot;
}

FileChooser CurrentChooser() {
    std::lock_guard lock(Slot().mutex);
    return Slot().chooser ? Slot().chooser : FileChooser(ChooseWithDialog);
}

std::vector<std::string_view> Fields(std::string_view filter) {
    std::vector<std::string_view> fields;
    while (!filter.empty()) {
        const std::size_t bar = filter.find('|');
        fields.push_back(filter.substr(0, bar));
        if (bar == std::string_view::npos) {
            break;
        }
        filter.remove_prefix(bar + 1);
    }
    return fields;
}

}  // namespace

std::string QtFilterOf(std::string_view filter) {
    const std::vector<std::string_view> fields = Fields(filter);
    std::string qtFilter;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty()) {
            continue;
        }
        std::string patterns(fields[i + 1]);
        for (char& c : patterns) {
            c = c == ';' ? ' ' : c;
        }
        qtFilter += (qtFilter.empty() ? "" : ";;") + std::string(fields[i]) + " (" + patterns + ")";
    }
    return qtFilter;
}

void SetFileChooser(FileChooser chooser) {
    std::lock_guard lock(Slot().mutex);
    Slot().chooser = std::move(chooser);
}

}  // namespace filebridge

short _file_Import(const char* filter, const char* title, int language, int flag, std::string* chosenPath,
                   const std::uint32_t* layerColours, std::uint32_t colour, double precision, double unitScale,
                   std::int32_t option, std::int32_t unused, CDbList<CFileDraw*>* records) {
    filebridge::SetLastImportFailure({});
    try {
        const std::optional<std::string> chosen = filebridge::CurrentChooser()(
            filebridge::QtFilterOf(filter != nullptr ? filter : ""), title != nullptr ? title : "");
        if (!chosen) {
            return 0;
        }
        if (chosenPath != nullptr) {
            *chosenPath = *chosen;
        }
        if (flag != 1) {
            return 2;
        }
        return _file_ImportFile(chosen->c_str(), language, precision, unitScale, layerColours, colour, option, unused,
                                records) == 0
                   ? 2
                   : 1;
    } catch (...) {
        return 1;
    }
}
