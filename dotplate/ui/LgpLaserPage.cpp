#include "LgpLaserPage.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpPageEnabling.h"
#include "LgpPageRules.h"
#include "LgpWindowTexts.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

LgpLaserPara& Laser() {
    return Designer().config.laser;
}

enum Group { kEngrave, kOutline, kArray };

// One number edit: its control and label key, how it reads (whole numbers or decimals), the rule it
// applies, how it shows, and the field.
struct LaserEdit {
    int id;
    Group group;
    const char* labelKey;
    bool whole;
    double (*rule)(double);
    int decimals;  // 0 for whole numbers, which show truncated
    double (*get)(const LgpLaserPara&);
    void (*set)(LgpLaserPara&, double);
};

double CountRule(double value) {
    return ArrayCountRule(static_cast<int>(value));
}

#define LASER_FIELD(expr) \
    [](const LgpLaserPara& p) -> double { return p.expr; }, [](LgpLaserPara& p, double v) { p.expr = v; }
#define LASER_COUNT(expr)                                   \
    [](const LgpLaserPara& p) -> double { return p.expr; }, \
        [](LgpLaserPara& p, double v) { p.expr = static_cast<std::uint16_t>(v); }

const LaserEdit kLaserEdits[] = {
    {1101, kEngrave, "1", false, SpeedRule, 1, LASER_FIELD(dots.speed)},
    {1103, kEngrave, "C", false, PowerRule, 1, LASER_FIELD(dots.minPower)},
    {1104, kEngrave, "D", false, PowerRule, 1, LASER_FIELD(dots.maxPower)},
    {1108, kEngrave, "B", false, ScanPrecisionRule, 0, LASER_FIELD(scanPrecisionDpi)},
    {1109, kEngrave, "F", true, DelayRule, 3, LASER_FIELD(onDelayMs)},
    {1110, kEngrave, "G", true, DelayRule, 3, LASER_FIELD(offDelayMs)},
    {1112, kOutline, "I", false, SpeedRule, 1, LASER_FIELD(outline.speed)},
    {1114, kOutline, "K", false, PowerRule, 1, LASER_FIELD(outline.minPower)},
    {1115, kOutline, "L", false, PowerRule, 1, LASER_FIELD(outline.maxPower)},
    {1118, kOutline, "O", true, DelayRule, 3, LASER_FIELD(outlineOnDelayMs)},
    {1119, kOutline, "P", true, DelayRule, 3, LASER_FIELD(outlineOffDelayMs)},
    {1120, kArray, "S", true, CountRule, 0, LASER_COUNT(arrayCountX)},
    {1121, kArray, "T", true, CountRule, 0, LASER_COUNT(arrayCountY)},
    {1122, kArray, "U", false, ArraySpaceRule, 3, LASER_FIELD(arraySpaceX)},
    {1123, kArray, "V", false, ArraySpaceRule, 3, LASER_FIELD(arraySpaceY)},
    {1126, kArray, "X", false, DotTimeRule, 3, LASER_FIELD(dotTimeMs)},
};

// The check boxes and the flags they store.
struct LaserBox {
    int id;
    Group group;
    const char* textKey;
    std::int32_t& (*field)(LgpLaserPara&);
};

const LaserBox kLaserBoxes[] = {
    {1102, kEngrave, "2", [](LgpLaserPara& p) -> std::int32_t& { return p.dots.speedDefault; }},
    {1105, kEngrave, "4", [](LgpLaserPara& p) -> std::int32_t& { return p.dots.powerDefault; }},
    {1106, kEngrave, "5", [](LgpLaserPara& p) -> std::int32_t& { return p.dots.blower; }},
    {1111, kOutline, "Q", [](LgpLaserPara& p) -> std::int32_t& { return p.outlineCut; }},
    {1113, kOutline, "J", [](LgpLaserPara& p) -> std::int32_t& { return p.outline.speedDefault; }},
    {1116, kOutline, "M", [](LgpLaserPara& p) -> std::int32_t& { return p.outline.powerDefault; }},
    {1117, kOutline, "N", [](LgpLaserPara& p) -> std::int32_t& { return p.outline.blower; }},
    {1125, kArray, "W", [](LgpLaserPara& p) -> std::int32_t& { return p.ellipseToDot; }},
};

constexpr int kScanTypeCombo = 1107;
constexpr int kDirectionButton = 1124;
constexpr int kFirstLabelId = 1150;

#undef LASER_FIELD
#undef LASER_COUNT

const LaserEdit& EditOf(int id) {
    for (const LaserEdit& edit : kLaserEdits) {
        if (edit.id == id) {
            return edit;
        }
    }
    return kLaserEdits[0];
}

// An arrow for each array direction: right, down, left, up.
QImage DirectionIcon(int direction) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(12, 12);
    painter.rotate(90.0 * direction);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(-8, 0, 6, 0);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({QPoint(9, 0), QPoint(3, -5), QPoint(3, 5)}));
    return image;
}

}  // namespace

CLgpLaserPage::CLgpLaserPage(QWidget* parent) : QWidget(parent) {
    BuildControls();
    ShowValues();
    ApplyEnabling();
}

void CLgpLaserPage::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    QGroupBox* groups[3];
    QGridLayout* grids[3];
    const char* groupKeys[] = {"E", "H", "R"};
    int rows[3] = {0, 0, 0};
    for (int g = 0; g < 3; ++g) {
        groups[g] = new QGroupBox(Text("Output", groupKeys[g]), this);
        grids[g] = new QGridLayout(groups[g]);
        layout->addWidget(groups[g]);
    }
    int labelId = kFirstLabelId;
    for (const LaserBox& entry : kLaserBoxes) {
        QCheckBox* box = dialogkit::MakeCheck(groups[entry.group], entry.id, Text("Output", entry.textKey));
        grids[entry.group]->addWidget(box, rows[entry.group]++, 0, 1, 2);
        connect(box, &QCheckBox::clicked, this, [this, &entry](bool checked) {
            entry.field(Laser()) = checked ? 1 : 0;
            ApplyEnabling();
        });
    }
    for (const LaserEdit& entry : kLaserEdits) {
        QWidget* group = groups[entry.group];
        const int row = rows[entry.group]++;
        grids[entry.group]->addWidget(dialogkit::MakeLabel(group, labelId++, Text("Output", entry.labelKey)),
                                      row, 0);
        QLineEdit* edit = dialogkit::MakeEdit(group, entry.id);
        grids[entry.group]->addWidget(edit, row, 1);
        connect(edit, &QLineEdit::editingFinished, this, [this, id = entry.id] { CommitEdit(id); });
    }
    grids[kEngrave]->addWidget(dialogkit::MakeLabel(groups[kEngrave], labelId++, Text("Output", "6")),
                               rows[kEngrave], 0);
    auto* scanType = new QComboBox(groups[kEngrave]);
    platform::SetControlId(*scanType, kScanTypeCombo);
    for (const char* key : {"7", "8", "9", "A"}) {
        scanType->addItem(Text("Output", key));
    }
    grids[kEngrave]->addWidget(scanType, rows[kEngrave]++, 1);
    connect(scanType, &QComboBox::activated, this,
            [](int index) { Laser().scanType = static_cast<std::int16_t>(std::max(0, index)); });

    QPushButton* direction = dialogkit::MakeButton(groups[kArray], kDirectionButton, QString());
    grids[kArray]->addWidget(direction, rows[kArray]++, 0, 1, 2);
    connect(direction, &QPushButton::clicked, this, [this] {
        Laser().arrayDirection = NextArrayDirection(Laser().arrayDirection);
        ShowDirection();
    });
    layout->addStretch();
}

static void ShowEdit(QLineEdit& edit, const LaserEdit& entry) {
    const double value = entry.get(Laser());
    dialogkit::ShowNumber(edit, entry.decimals == 0 ? std::trunc(value) : value, entry.decimals);
}

void CLgpLaserPage::ShowValues() {
    for (const LaserEdit& entry : kLaserEdits) {
        ShowEdit(*dialogkit::Find<QLineEdit>(*this, entry.id), entry);
    }
    for (const LaserBox& entry : kLaserBoxes) {
        dialogkit::Find<QCheckBox>(*this, entry.id)->setChecked(entry.field(Laser()) != 0);
    }
    dialogkit::Find<QComboBox>(*this, kScanTypeCombo)
        ->setCurrentIndex(std::clamp<int>(Laser().scanType, 0, 3));
    ShowDirection();
}

void CLgpLaserPage::CommitEdit(int id) {
    const LaserEdit& entry = EditOf(id);
    auto* edit = dialogkit::Find<QLineEdit>(*this, id);
    const double typed = entry.whole ? static_cast<double>(dialogkit::ReadWholeNumber(*edit).value_or(0))
                                     : dialogkit::ReadNumber(*edit).value_or(0.0);
    entry.set(Laser(), entry.rule(typed));
    ShowEdit(*edit, entry);
    if (entry.group == kArray) {
        emit previewChanged();
    }
}

void CLgpLaserPage::ShowDirection() {
    dialogkit::Find<QPushButton>(*this, kDirectionButton)
        ->setIcon(QPixmap::fromImage(DirectionIcon(ArrayDirectionRule(Laser().arrayDirection))));
}

void CLgpLaserPage::ApplyEnabling() {
    const LgpLaserPageEnabling enabling = LaserPageEnabling(Laser());
    const auto enable = [this](std::initializer_list<int> ids, bool on) {
        for (int id : ids) {
            findChild<QWidget*>(QString::number(id))->setEnabled(on);
        }
    };
    enable({1101}, enabling.speed);
    enable({1103, 1104}, enabling.powers);
    enable({1112}, enabling.outlineSpeed);
    enable({1114, 1115}, enabling.outlinePowers);
    enable({1118, 1119}, enabling.outlineDelays);
    enable({1113, 1116}, enabling.outlineSwitches);
    enable({1117}, enabling.outlineBlower);
    enable({1126}, enabling.dotTime);
}

}  // namespace dotplate::ui
