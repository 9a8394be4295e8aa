#include "DataProcessDlg.h"

#include "CadArray.h"
#include "CadMgr.h"
#include "ConnectSetting.h"
#include "JobBuilder.h"
#include "JobFileSink.h"
#include "JobHeader.h"
#include "LanguageTexts.h"
#include "MotionlinkJob.h"
#include "OutputList.h"
#include "OutputSteps.h"
#include "Progress.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

using joboutput::Ok;

std::uint32_t JobDestinationFlag = 0;

namespace {

constexpr double kProgressAfterFrame = 0.1;

// Where a failed job's encoder is left: it refuses every command, so that nothing written after the
// failure reaches the job file's sink, which goes away with the run.
class DroppedJobSink final : public motionlink::JobSink {
  public:
    motionlink::JobStatus Write(std::span<const std::uint8_t>) override { return motionlink::kJobNoJobOpen; }
    motionlink::JobStatus Finish() override { return motionlink::kJobNoJobOpen; }
};

void DropJob() {
    static DroppedJobSink dropped;
    Zint_StrtWFile(&dropped);
}

void Report(CDataProcessDlg* dialog, std::uint32_t result) {
    dialog->failed = result;
    dialog->threadHandle = false;
}

std::string ProcessingText() {
    return GetLangText("WaitText", "Process");
}

bool WriteBody(const JobRepeat& repeat, std::int32_t* stateA, std::int32_t* stateB) {
    const JobFrame& frame = gJobFrame;
    SDPoint start;
    CCadMgr::GetStartPoint(frame.box[0], frame.box[1], frame.box[2], frame.box[3], start.x, start.y);
    const std::uint16_t corner = CCadMgr::GetStartCorner();
    ElementList* body = &gOutputList.elements;
    if (repeat.array != nullptr) {
        body = &repeat.array->children;
    } else {
        gOutputList.ExpandArrays();
    }
    return CJobBuilder::Build(body, start, corner, stateA, stateB, ProgressRatio.load(), 1.0) != 0;
}

}  // namespace

int CDataProcessDlg::dotCounter_ = 0;

WorkerBoxLayout CDataProcessDlg::Layout() const {
    WorkerBoxLayout layout;
    layout.progressId = kProgressId;
    return layout;
}

int& CDataProcessDlg::DotCounter() {
    return dotCounter_;
}

std::uint32_t CDataProcessDlg::WriteJobThread(CDataProcessDlg* dialog) {
    WaitText.Set(ProcessingText());
    ProgressRatio = 0.0;
    gOutputList.Clear();
    // Layer numbers are given here, every run, so that no block can carry a number from an earlier
    // check or none at all; more output layers than the lists hold fail before anything is opened.
    const int outputLayers = NumberOutputLayers();
    if (CollectOutputObjects(gOutputList) == 0 || outputLayers > kMaxOutputLayers) {
        gOutputList.Clear();
        Report(dialog, 1);
        return 0;
    }
    CCadRect dataBox;
    theCadMgr.GetDataRect(dataBox);
    FillJobFrame(gJobFrame, dataBox);
    ProgressRatio = kProgressAfterFrame;

    const bool toController = JobDestinationFlag != 0;
    std::unique_ptr<motionlink::JobFileSink> file;
    motionlink::JobSink* sink = nullptr;
    if (toController) {
        if (ConnectSetting.Open() != 0) {
            ConnectSetting.Close();
            gOutputList.Clear();
            Report(dialog, 1);
            return 0;
        }
        Zint_StrtWFile(nullptr);
    } else if (dialog->jobSink != nullptr) {
        sink = dialog->jobSink;
    } else if (!dialog->filePath.empty()) {
        file = std::make_unique<motionlink::JobFileSink>(dialog->filePath);
        sink = file.get();
    } else {
        gOutputList.Clear();
        Report(dialog, 1);
        return 0;
    }
    if (sink != nullptr) {
        Zint_StrtWFile(sink);
    }

    double rotaryRatio = 1.0;
    const JobRepeat repeat = JobRepeat::For(gOutputList, dataBox);
    std::int32_t stateA = 0;
    std::int32_t stateB = 0;
    const bool written = WriteJobHeader(&rotaryRatio) && WriteJobFrame(repeat, rotaryRatio) &&
                         WriteLayerLists() && WriteBody(repeat, &stateA, &stateB);
    if (written) {
        ProgressRatio = 1.0;
    }
    FinishJob(dialog, sink, written ? 0 : 1);
    return 0;
}

int CDataProcessDlg::FinishJob(CDataProcessDlg* dialog, motionlink::JobSink* sink, std::uint32_t result) {
    if (result == 0 && !(Ok(Zint_wSetBlockEnd()) && Ok(Zint_wSetFileEnd()))) {
        result = 1;
    }
    if (result != 0) {
        DropJob();
    }
    if (sink == nullptr) {
        ConnectSetting.Close();
    }
    gOutputList.Clear();
    Report(dialog, result);
    return 1;
}
