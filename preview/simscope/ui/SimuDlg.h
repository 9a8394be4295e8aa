// CSimuDlg: the simulation window. It loads a job, shows its size, times and distances, draws it in
// power colours, lets the user zoom, pan and mirror it, open another job and configure the colours, and
// replays it on the playback threads.
//
// Every way out (Close, Cancel, OK) stops and joins both playback threads before the job goes away.
#pragma once

#include <QDialog>
#include <QImage>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "DisplayList.h"
#include "Playback.h"
#include "PlaybackCanvas.h"
#include "PlaybackClock.h"
#include "PreviewJob.h"
#include "PreviewSettings.h"
#include "TextStore.h"
#include "ViewMapping.h"

class CBlinkStatic;
class CPreviewCfgDlg;
class DrawingArea;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;

// The user message that the playback thread ending last posts: WM_USER + 101.
constexpr int kPlaybackEndedMessage = 0x465;

class CSimuDlg : public QDialog {
  public:
    struct Setup {
        std::string jobPath;
        std::uint32_t language = 0;
        simscope::Corner originCorner = simscope::Corner::BottomLeft;
        std::uint16_t readerFlag = 0;
        std::filesystem::path programFolder;
        CTextStore* texts = nullptr;            // the module's store; outlives the dialog
        simscope::PlaybackClock* clock = nullptr;  // outlives the dialog
    };

    explicit CSimuDlg(const Setup& setup, QWidget* parent = nullptr);
    ~CSimuDlg() override;

    // Where the Open dialog and the configuration dialog are asked; replaced in tests.
    void SetJobFileChooser(std::function<QString()> chooser) { chooseJobFile_ = std::move(chooser); }
    void SetConfigRunner(std::function<bool(CPreviewCfgDlg&)> runner) { runConfig_ = std::move(runner); }

    // Commands of the window; each is refused while a playback thread is alive where the window says so.
    bool LoadJob(const std::string& path, simscope::Corner corner);
    void OpenJobFromDialog();
    void FitWindow();
    void MirrorHorizontally();
    void MirrorVertically();
    void OpenConfig();
    void ZoomAt(QPoint areaPoint, int wheelDelta);
    void PanBy(QPoint delta);
    void StartPlayback();
    void PauseOrContinue();
    void StopPlayback();

    const simscope::PreviewJob& Job() const { return job_; }
    const simscope::ViewState& View() const { return view_; }
    const simscope::PreviewSettings& Settings() const { return settings_; }
    simscope::Playback& CurrentPlayback() { return *playback_; }
    bool IsPlaying() const { return playing_; }
    // The picture the drawing area shows now.
    QImage ShownPicture();

    // Cancel and Escape save the settings; OK and Enter do not. Both end the playback first.
    void reject() override;
    void accept() override;

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void BuildControls();
    QGroupBox* BuildPanel();
    void ApplyTexts();
    void InitialiseValues();
    void ShowJobLabels();
    void ShowStatus();
    void ResetDisplays();
    void ShowPopupMenu(QPoint globalAt);
    void ShowAbout();
    void OnAreaResized();
    void Mirror(void (simscope::PreviewJob::*mirror)());
    void RebuildDisplayList();
    // The view, the colours or the job changed: the static raster is made again on next use.
    void ViewChanged();
    const QImage& StaticPicture();
    platform::Size AreaSize() const;
    void DefaultSpeedChanged(int position);
    void RatioChanged(int position);
    // Close and Cancel: settings saved, threads ended and joined, then the job dropped.
    void EndAndSave();
    void PlaybackEnded();
    CBlinkStatic* ValueLabel(int id) const;

    Setup setup_;
    simscope::PreviewSettings settings_;
    simscope::PreviewJob job_;
    simscope::DisplayList displayList_;
    simscope::ViewState view_;
    QImage staticPicture_;
    bool staticPictureValid_ = false;
    bool fitPending_ = false;
    bool playing_ = false;
    bool ended_ = false;

    simscope::PlaybackCanvas canvas_;
    std::unique_ptr<simscope::Playback> playback_;
    int displayTimer_ = 0;
    int frameTimer_ = 0;

    DrawingArea* area_ = nullptr;
    QGroupBox* panel_ = nullptr;
    std::vector<std::pair<int, CBlinkStatic*>> valueLabels_;
    std::vector<std::pair<int, QLabel*>> captions_;
    QProgressBar* progress_ = nullptr;
    QSlider* speedSlider_ = nullptr;
    QSlider* ratioSlider_ = nullptr;
    QPushButton* simulateButton_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QString hint_;

    std::function<QString()> chooseJobFile_;
    std::function<bool(CPreviewCfgDlg&)> runConfig_;
};
