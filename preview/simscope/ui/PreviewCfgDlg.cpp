// The preview configuration dialog.
#include "PreviewCfgDlg.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "GradientBar.h"
#include "PreviewLanguage.h"

namespace {

QString Text(const CTextStore& texts, int key) {
    return QString::fromStdString(simscope::PreviewText(texts, key));
}

QLabel* Caption(const CTextStore& texts, int key, int id, QWidget* parent) {
    auto* label = new QLabel(Text(texts, key), parent);
    label->setObjectName(QString::number(id));
    return label;
}

std::optional<platform::ColorRef> AskForColor() {
    const QColor chosen = QColorDialog::getColor(Qt::black);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return platform::Rgb(static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                         static_cast<std::uint8_t>(chosen.blue()));
}

}  // namespace

CPreviewCfgDlg::CPreviewCfgDlg(const CTextStore& texts, QWidget* parent) : QDialog(parent), chooser_(AskForColor) {
    setWindowTitle(Text(texts, 20));
    using Colors = simscope::PreviewColors;
    swatches_ = {{1052, &Colors::background}, {1055, &Colors::text},      {1056, &Colors::draw0},
                 {1057, &Colors::draw100},    {1058, &Colors::simulate0}, {1059, &Colors::simulate100},
                 {1060, &Colors::idle}};
    for (Swatch& swatch : swatches_) {
        swatch.label = new QLabel(this);
        swatch.label->setObjectName(QString::number(swatch.id));
        swatch.label->setAutoFillBackground(true);
        swatch.label->setMinimumSize(40, 20);
        swatch.label->installEventFilter(this);
    }
    const auto swatchLabel = [this](int id) {
        return std::find_if(swatches_.begin(), swatches_.end(), [id](const Swatch& s) { return s.id == id; })->label;
    };

    auto* background = new QGroupBox(Text(texts, 21), this);
    background->setObjectName("1062");
    auto* backgroundGrid = new QGridLayout(background);
    backgroundGrid->addWidget(Caption(texts, 22, 1065, background), 0, 0);
    backgroundGrid->addWidget(swatchLabel(1052), 0, 1);
    backgroundGrid->addWidget(Caption(texts, 23, 1066, background), 1, 0);
    backgroundGrid->addWidget(swatchLabel(1055), 1, 1);

    const auto rampGroup = [&](int key, int id, int lowId, int highId, CGradientBar*& bar, int barId) {
        auto* group = new QGroupBox(Text(texts, key), this);
        group->setObjectName(QString::number(id));
        auto* row = new QHBoxLayout(group);
        bar = new CGradientBar(group);
        bar->setObjectName(QString::number(barId));
        bar->setMinimumSize(160, 20);
        row->addWidget(swatchLabel(lowId));
        row->addWidget(bar, 1);
        row->addWidget(swatchLabel(highId));
        return group;
    };
    QGroupBox* draw = rampGroup(24, 1063, 1056, 1057, drawBar_, 1054);
    QGroupBox* simulate = rampGroup(25, 1064, 1058, 1059, simulateBar_, 1061);

    auto* idleRow = new QHBoxLayout;
    idleRow->addWidget(Caption(texts, 26, 1067, this));
    idleRow->addWidget(swatchLabel(1060));

    auto* anchor = new QGroupBox(Text(texts, 27), this);
    anchor->setObjectName("2004");
    auto* anchorGrid = new QGridLayout(anchor);
    struct CornerButton {
        int id;
        int key;
        std::uint32_t corner;
        int row;
        int column;
    };
    for (const CornerButton button : {CornerButton{2000, 28, 0, 0, 0}, CornerButton{2002, 29, 1, 0, 1},
                                      CornerButton{2003, 30, 2, 1, 1}, CornerButton{2001, 31, 3, 1, 0}}) {
        auto* radio = new QRadioButton(Text(texts, button.key), anchor);
        radio->setObjectName(QString::number(button.id));
        radio->setAutoExclusive(false);
        anchorGrid->addWidget(radio, button.row, button.column);
        corners_.emplace_back(radio, button.corner);
        connect(radio, &QRadioButton::clicked, this, [this, corner = button.corner] {
            anchorCorner_ = corner;
            ShowValues();
        });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(texts, 32));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(background);
    layout->addWidget(draw);
    layout->addWidget(simulate);
    layout->addLayout(idleRow);
    layout->addWidget(anchor);
    layout->addWidget(buttons);
    ShowValues();
}

void CPreviewCfgDlg::SetValues(const simscope::PreviewColors& colors, std::uint32_t language,
                               std::uint32_t anchorCorner) {
    colors_ = colors;
    language_ = language;
    anchorCorner_ = anchorCorner;
    ShowValues();
}

void CPreviewCfgDlg::ShowSwatch(const Swatch& swatch) {
    const platform::ColorRef color = colors_.*swatch.color;
    QPalette palette = swatch.label->palette();
    palette.setColor(QPalette::Window, QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color)));
    swatch.label->setPalette(palette);
}

void CPreviewCfgDlg::ShowValues() {
    for (const Swatch& swatch : swatches_) {
        ShowSwatch(swatch);
    }
    drawBar_->SetColors(colors_.draw0, colors_.draw100);
    simulateBar_->SetColors(colors_.simulate0, colors_.simulate100);
    // A corner outside 0..3 selects no button.
    for (const auto& [radio, corner] : corners_) {
        radio->setChecked(corner == anchorCorner_);
    }
}

void CPreviewCfgDlg::PickColor(int swatchId) {
    const auto swatch = std::find_if(swatches_.begin(), swatches_.end(), [swatchId](const Swatch& s) { return s.id == swatchId; });
    if (swatch == swatches_.end()) {
        return;
    }
    const std::optional<platform::ColorRef> chosen = chooser_();
    if (!chosen) {
        return;
    }
    colors_.*swatch->color = *chosen;
    ShowValues();
}

bool CPreviewCfgDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (const Swatch& swatch : swatches_) {
            if (swatch.label == watched) {
                PickColor(swatch.id);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
