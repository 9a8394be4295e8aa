// The simulation window.
#include "SimuDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimerEvent>

#include "BlinkStatic.h"
#include "DrawingArea.h"
#include "LabelTexts.h"
#include "PreviewCfgDlg.h"
#include "PreviewLanguage.h"
#include "StaticRaster.h"

namespace {

using simscope::Corner;

// Qt's user events stand where the user messages stood: QEvent::User is WM_USER.
const auto kPlaybackEndedEvent = static_cast<QEvent::Type>(QEvent::User + (kPlaybackEndedMessage - 0x400));

constexpr int kDisplayPeriodMs = 100;
constexpr int kFramePeriodMs = 40;
constexpr int kPanelMargin = 10;
constexpr int kPanelHeightExtra = 35;
constexpr int kAreaMinimumWidth = 100;
constexpr platform::ColorRef kLabelGreen = platform::Rgb(0, 255, 0);
constexpr platform::ColorRef kLabelBlack = platform::Rgb(0, 0, 0);
constexpr int kFastBlinkSpeed = 500;

enum MenuCommand { kFullWindow = 2007, kHorizontalMirror = 2005, kVerticalMirror = 2006, kConfig = 2010 };

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString DefaultJobFileChooser(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setNameFilter("*.zint");
    dialog.setDefaultSuffix("zint");
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                  : QString();
}

}  // namespace

CSimuDlg::CSimuDlg(const Setup& setup, QWidget* parent) : QDialog(parent), setup_(setup) {
    chooseJobFile_ = [this] { return DefaultJobFileChooser(this); };
    runConfig_ = [](CPreviewCfgDlg& dialog) { return dialog.exec() == QDialog::Accepted; };
    playback_ = std::make_unique<simscope::Playback>(*setup_.clock, canvas_, [this] {
        QCoreApplication::postEvent(this, new QEvent(kPlaybackEndedEvent));
    });
    simscope::LoadPreviewTexts(*setup_.texts, setup_.programFolder, setup_.language);
    BuildControls();
    settings_ = simscope::ReadPreviewSettings(setup_.programFolder / "pfile", setup_.originCorner);
    InitialiseValues();
    LoadJob(setup_.jobPath, setup_.originCorner);
    ApplyTexts();
}

CSimuDlg::~CSimuDlg() {
    playback_->Stop();
}

CBlinkStatic* CSimuDlg::ValueLabel(int id) const {
    for (const auto& [labelId, label] : valueLabels_) {
        if (labelId == id) {
            return label;
        }
    }
    return nullptr;
}

void CSimuDlg::BuildControls() {
    area_ = new DrawingArea(this);
    area_->SetHandlers({
        [this](QPoint at, int delta) { ZoomAt(at, delta); },
        [this](QPoint delta) { PanBy(delta); },
        [this] { OpenJobFromDialog(); },
        [this](QPoint globalAt) { ShowPopupMenu(globalAt); },
        [this] { OnAreaResized(); },
        [this] { return ShownPicture(); },
    });
    panel_ = BuildPanel();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, kPanelMargin, 0);
    layout->setSpacing(5);
    layout->addWidget(area_, 1);
    layout->addWidget(panel_, 0);
    const QSize panel = panel_->sizeHint();
    setMinimumSize(panel.width() + kAreaMinimumWidth, panel.height() + kPanelHeightExtra);
}

QGroupBox* CSimuDlg::BuildPanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName("1030");
    auto* grid = new QGridLayout(panel);
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(20);
    int row = 0;
    const auto addCaption = [&](int key, int id) {
        auto* caption = new QLabel(panel);
        caption->setObjectName(QString::number(id));
        captions_.emplace_back(key, caption);
        grid->addWidget(caption, row++, 0, 1, 2);
    };
    const auto addValue = [&](int id) {
        auto* label = new CBlinkStatic(panel);
        label->setObjectName(QString::number(id));
        label->setFont(font);
        label->SetColors(kLabelBlack, kLabelBlack);
        label->SetBlink(1, kFastBlinkSpeed);
        label->SetTextColors(kLabelGreen, kLabelGreen);
        label->SetTextBlink(1, kFastBlinkSpeed);
        valueLabels_.emplace_back(id, label);
        grid->addWidget(label, row++, 0, 1, 2);
        return label;
    };
    const auto addSlider = [&](int id, int low, int high) {
        auto* slider = new QSlider(Qt::Horizontal, panel);
        slider->setObjectName(QString::number(id));
        slider->setRange(low, high);
        grid->addWidget(slider, row++, 0, 1, 2);
        return slider;
    };
    const std::pair<int, int> valueRows[] = {{1034, 2006}, {1035, 2007}, {1036, 2008}, {1037, 2009},
                                             {1038, 2010}, {1039, 2011}, {1040, 2012}, {1041, 2013}};
    int key = 2;
    for (const auto& [captionId, valueId] : valueRows) {
        addCaption(key++, captionId);
        addValue(valueId);
    }
    addCaption(10, 1042);
    progress_ = new QProgressBar(panel);
    progress_->setObjectName("1029");
    progress_->setRange(0, simscope::kProgressRange);
    progress_->setTextVisible(false);
    grid->addWidget(progress_, row++, 0, 1, 2);
    addCaption(11, 1043);
    addValue(1006);
    speedSlider_ = addSlider(1005, static_cast<int>(simscope::kMinDefaultSpeed), static_cast<int>(simscope::kMaxDefaultSpeed));
    addCaption(12, 1044);
    addValue(2015);
    ratioSlider_ = addSlider(1007, 0, static_cast<int>(simscope::kMaxRatioPosition));
    const auto addButton = [&](int id, auto action) {
        auto* button = new QPushButton(panel);
        button->setObjectName(QString::number(id));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        grid->addWidget(button, row++, 0, 1, 2);
        return button;
    };
    simulateButton_ = addButton(1004, [this] { StartPlayback(); });
    pauseButton_ = addButton(1009, [this] { PauseOrContinue(); });
    stopButton_ = addButton(1011, [this] { StopPlayback(); });
    grid->setRowStretch(row, 1);
    connect(speedSlider_, &QSlider::valueChanged, this, [this](int position) { DefaultSpeedChanged(position); });
    connect(ratioSlider_, &QSlider::valueChanged, this, [this](int position) { RatioChanged(position); });
    return panel;
}

void CSimuDlg::ApplyTexts() {
    const CTextStore& texts = *setup_.texts;
    setWindowTitle(FromUtf8(simscope::PreviewText(texts, 0)));
    hint_ = FromUtf8(simscope::PreviewText(texts, 1));
    for (const auto& [key, caption] : captions_) {
        caption->setText(FromUtf8(simscope::PreviewText(texts, key)));
    }
    simulateButton_->setText(FromUtf8(simscope::PreviewText(texts, 13)));
    pauseButton_->setText(FromUtf8(simscope::PreviewText(texts, 14)));
    stopButton_->setText(FromUtf8(simscope::PreviewText(texts, 15)));
    ViewChanged();
}

void CSimuDlg::InitialiseValues() {
    speedSlider_->setValue(static_cast<int>(settings_.defaultSpeed));
    ratioSlider_->setValue(static_cast<int>(settings_.ratioPosition));
    DefaultSpeedChanged(speedSlider_->value());
    RatioChanged(ratioSlider_->value());
    progress_->setValue(0);
    const std::pair<int, const char*> initial[] = {{2006, "0.0mm,0.0mm"}, {2007, "0:00:00:000"}, {2008, "0:00:00:000"},
                                                   {2009, "0.0mm"},       {2010, "0.0mm"},       {2011, "0.0mm,0.0mm"},
                                                   {2012, "0.0mm/s"},     {2013, "0%"}};
    for (const auto& [id, text] : initial) {
        ValueLabel(id)->setText(text);
    }
}

void CSimuDlg::DefaultSpeedChanged(int position) {
    settings_.defaultSpeed = position;
    playback_->SetDefaultSpeed(position);
    ValueLabel(1006)->setText(QString::number(position));
}

void CSimuDlg::RatioChanged(int position) {
    settings_.ratioPosition = position;
    const double ratio = simscope::SimulationRatio(position);
    playback_->SetRatio(ratio);
    ValueLabel(2015)->setText(FromUtf8(simscope::FormatRatio(ratio)));
}

platform::Size CSimuDlg::AreaSize() const {
    return {area_->width(), area_->height()};
}

bool CSimuDlg::LoadJob(const std::string& path, Corner corner) {
    if (playback_->IsAlive() || !job_.Load(path, corner, settings_.defaultSpeed, setup_.readerFlag)) {
        return false;
    }
    RebuildDisplayList();
    ShowJobLabels();
    if (area_->isVisible()) {
        simscope::FitView(AreaSize(), job_.Box(), view_);
    } else {
        fitPending_ = true;
    }
    ViewChanged();
    return true;
}

void CSimuDlg::ShowJobLabels() {
    const simscope::JobTotals& totals = job_.Totals();
    const simscope::JobBox& box = job_.Box();
    ValueLabel(2006)->setText(FromUtf8(simscope::FormatMmPair(std::fabs(box.Width()), std::fabs(box.Height()))));
    ValueLabel(2007)->setText(FromUtf8(simscope::FormatJobTime(simscope::RoundedMilliseconds(totals.totalSeconds))));
    ValueLabel(2008)->setText(FromUtf8(simscope::FormatJobTime(simscope::RoundedMilliseconds(totals.laserOnSeconds))));
    ValueLabel(2009)->setText(FromUtf8(simscope::FormatMm(totals.travelMm)));
    ValueLabel(2010)->setText(FromUtf8(simscope::FormatMm(totals.workMm)));
}

void CSimuDlg::OpenJobFromDialog() {
    if (playback_->IsAlive()) {
        return;
    }
    const QString chosen = chooseJobFile_();
    if (!chosen.isEmpty()) {
        LoadJob(chosen.toStdString(), settings_.anchorCorner);
    }
}

void CSimuDlg::OnAreaResized() {
    if (fitPending_ && !job_.IsEmpty() && area_->width() > 0) {
        fitPending_ = false;
        simscope::FitView(AreaSize(), job_.Box(), view_);
    }
    ViewChanged();
}

void CSimuDlg::FitWindow() {
    if (playback_->IsAlive()) {
        return;
    }
    simscope::FitView(AreaSize(), job_.Box(), view_);
    ViewChanged();
}

void CSimuDlg::MirrorHorizontally() {
    Mirror(&simscope::PreviewJob::MirrorHorizontally);
}

void CSimuDlg::MirrorVertically() {
    Mirror(&simscope::PreviewJob::MirrorVertically);
}

void CSimuDlg::Mirror(void (simscope::PreviewJob::*mirror)()) {
    if (playback_->IsAlive()) {
        return;
    }
    (job_.*mirror)();
    RebuildDisplayList();
    ViewChanged();
}

void CSimuDlg::OpenConfig() {
    if (playback_->IsAlive()) {
        return;
    }
    CPreviewCfgDlg dialog(*setup_.texts, this);
    dialog.SetValues(settings_.colors, setup_.language, static_cast<std::uint32_t>(settings_.anchorCorner));
    if (!runConfig_(dialog)) {
        return;
    }
    settings_.colors = dialog.Colors();
    settings_.anchorCorner = simscope::CornerFromCode(dialog.AnchorCorner());
    ViewChanged();
}

void CSimuDlg::ZoomAt(QPoint areaPoint, int wheelDelta) {
    simscope::ZoomView(AreaSize(), {areaPoint.x(), areaPoint.y()}, wheelDelta, view_);
    ViewChanged();
}

void CSimuDlg::PanBy(QPoint delta) {
    view_.panX += delta.x();
    view_.panY += delta.y();
    ViewChanged();
}

void CSimuDlg::RebuildDisplayList() {
    displayList_ = simscope::DisplayList::Build(job_);
}

void CSimuDlg::ViewChanged() {
    staticPictureValid_ = false;
    if (playback_->IsAlive()) {
        // The drawing so far belongs to the old view; the playback goes on over the new one.
        canvas_.Reset(StaticPicture(), AreaSize(), view_);
    }
    area_->update();
}

const QImage& CSimuDlg::StaticPicture() {
    if (!staticPictureValid_) {
        staticPicture_ = simscope::RenderStaticRaster(displayList_, AreaSize(), view_, settings_.colors, hint_.toStdString());
        staticPictureValid_ = true;
    }
    return staticPicture_;
}

QImage CSimuDlg::ShownPicture() {
    return playing_ ? canvas_.Snapshot() : StaticPicture();
}

void CSimuDlg::StartPlayback() {
    if (playback_->IsAlive() || job_.IsEmpty()) {
        return;
    }
    playing_ = true;
    playback_->SetDefaultSpeed(speedSlider_->value());
    playback_->SetRatio(simscope::SimulationRatio(ratioSlider_->value()));
    canvas_.Reset(StaticPicture(), AreaSize(), view_);
    playback_->Start(job_, settings_.colors);
    displayTimer_ = startTimer(kDisplayPeriodMs);
    frameTimer_ = startTimer(kFramePeriodMs);
}

void CSimuDlg::PauseOrContinue() {
    if (!playing_) {
        return;
    }
    if (playback_->IsPaused()) {
        playback_->Continue();
        displayTimer_ = startTimer(kDisplayPeriodMs);
        return;
    }
    playback_->Pause();
    if (displayTimer_ != 0) {
        killTimer(displayTimer_);
        displayTimer_ = 0;
    }
    ResetDisplays();
}

void CSimuDlg::StopPlayback() {
    playback_->Stop();
    for (int* timer : {&displayTimer_, &frameTimer_}) {
        if (*timer != 0) {
            killTimer(*timer);
            *timer = 0;
        }
    }
    ResetDisplays();
    progress_->setValue(0);
    playing_ = false;
    area_->update();
}

void CSimuDlg::PlaybackEnded() {
    // A notice of an earlier playback may arrive after a new one has started.
    if (playback_->IsAlive()) {
        return;
    }
    StopPlayback();
}

void CSimuDlg::ShowStatus() {
    const simscope::PlaybackStatus status = playback_->Status();
    ValueLabel(2012)->setText(FromUtf8(simscope::FormatSpeed(status.speed)));
    ValueLabel(2011)->setText(FromUtf8(simscope::FormatMmPair(status.x, status.y)));
    ValueLabel(2013)->setText(FromUtf8(simscope::FormatPower(status.power)));
    progress_->setValue(simscope::ProgressPosition(status.elapsedSeconds, job_.Totals().totalSeconds));
}

void CSimuDlg::ResetDisplays() {
    ValueLabel(2012)->setText(FromUtf8(simscope::FormatSpeed(0.0)));
    ValueLabel(2011)->setText(FromUtf8(simscope::FormatMmPair(0.0, 0.0)));
    ValueLabel(2013)->setText(FromUtf8(simscope::FormatPower(0.0)));
}

void CSimuDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == displayTimer_) {
        ShowStatus();
    } else if (event->timerId() == frameTimer_) {
        area_->update();
    } else {
        QDialog::timerEvent(event);
    }
}

bool CSimuDlg::event(QEvent* event) {
    if (event->type() == kPlaybackEndedEvent) {
        PlaybackEnded();
        return true;
    }
    return QDialog::event(event);
}

void CSimuDlg::ShowPopupMenu(QPoint globalAt) {
    const CTextStore& texts = *setup_.texts;
    QMenu menu(this);
    const std::pair<int, int> items[] = {{kFullWindow, 16}, {kConfig, 17}, {kHorizontalMirror, 18}, {kVerticalMirror, 19}};
    for (const auto& [command, key] : items) {
        QAction* action = menu.addAction(FromUtf8(simscope::PreviewText(texts, key)));
        action->setData(command);
    }
    menu.addSeparator();
    menu.addAction(tr("About Simscope..."))->setData(0);
    const QAction* chosen = menu.exec(globalAt);
    if (chosen == nullptr) {
        return;
    }
    switch (chosen->data().toInt()) {
        case kFullWindow:
            FitWindow();
            break;
        case kConfig:
            OpenConfig();
            break;
        case kHorizontalMirror:
            MirrorHorizontally();
            break;
        case kVerticalMirror:
            MirrorVertically();
            break;
        default:
            ShowAbout();
            break;
    }
}

void CSimuDlg::ShowAbout() {
    QMessageBox::about(this, tr("About Simscope"), tr("Simscope, job preview and simulation\nVersion 5.0"));
}

void CSimuDlg::EndAndSave() {
    settings_.defaultSpeed = speedSlider_->value();
    settings_.ratioPosition = ratioSlider_->value();
    simscope::WritePreviewSettings(setup_.programFolder / "pfile", settings_);
    StopPlayback();
    job_ = simscope::PreviewJob{};
    RebuildDisplayList();
}

void CSimuDlg::closeEvent(QCloseEvent* event) {
    if (!ended_) {
        ended_ = true;
        EndAndSave();
    }
    QDialog::closeEvent(event);
}

void CSimuDlg::reject() {
    if (!ended_) {
        ended_ = true;
        EndAndSave();
    }
    QDialog::reject();
}

void CSimuDlg::accept() {
    ended_ = true;
    StopPlayback();
    QDialog::accept();
}

void CSimuDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
