// CLgpProcessPanel: the designer's way to the machine, beside its pages: the connection, the
// reference point, processing (start, pause or resume, stop), job files (save, send, store as a
// document), frame runs, the job preview, and the design's hand-back. Every step that talks to the
// controller first reads the machine's state in the wait dialog.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QWidget>

namespace dotplate::ui {

class CLgpProcessPanel : public QWidget {
    Q_OBJECT

  public:
    explicit CLgpProcessPanel(QWidget* parent = nullptr);

    // Control ids of the panel's buttons.
    static constexpr int kFindDevice = 1201;
    static constexpr int kPosition = 1202;
    static constexpr int kStart = 1204;
    static constexpr int kPauseContinue = 1205;
    static constexpr int kStop = 1206;
    static constexpr int kSaveJob = 1207;
    static constexpr int kSendJob = 1208;
    static constexpr int kDownload = 1209;
    static constexpr int kGoFrame = 1210;
    static constexpr int kCutFrame = 1211;
    static constexpr int kPreview = 1212;
    static constexpr int kExport = 1213;
    static constexpr int kCreate = 1214;

  signals:
    // The dots were generated again.
    void plateChanged(bool fit);

  private:
    void BuildControls();
    void RefreshConnectionCaption();
    // The machine's state, or nothing after "Communication Error!".
    std::optional<std::array<std::uint8_t, 5>> CheckMachine();
    // The state when the machine is idle; nothing after the message that says why not.
    std::optional<std::array<std::uint8_t, 5>> CheckMachineIdle();
    void MessageInfo(const char* key);

    void FindDevice();
    void Start();
    void PauseContinue();
    void Stop();
    void SaveJob();
    void SendJob();
    void Download();
    void RunFrame(bool cut);
    void Preview();
    void Create();
};

}  // namespace dotplate::ui
