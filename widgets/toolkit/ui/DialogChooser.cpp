#include "DialogChooser.h"

#include "WidgetCanvas.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace {

class StandardChooser final : public DialogChooser {
  public:
    std::optional<platform::ColorRef> ChooseColor(QWidget* parent, platform::ColorRef start) override {
        const QColor chosen = QColorDialog::getColor(ui::ToQColor(start), parent);
        if (!chosen.isValid()) return std::nullopt;
        return ui::ToColorRef(chosen);
    }

    std::optional<FontChoice> ChooseFont(QWidget* parent, const FontChoice& start) override {
        QFont initial(start.face);
        initial.setPixelSize(std::max(1, start.height));
        bool accepted = false;
        const QFont chosen = QFontDialog::getFont(&accepted, initial, parent);
        if (!accepted) return std::nullopt;
        return FontChoice{chosen.family(), chosen.pixelSize() > 0 ? chosen.pixelSize() : start.height, start.color};
    }

    std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& title, const QString& filter,
                                          const QString& startFolder) override {
        const QString chosen = QFileDialog::getOpenFileName(parent, title, startFolder, filter);
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    }
};

}  // namespace

DialogChooser& StandardDialogChooser() {
    static StandardChooser chooser;
    return chooser;
}
