// The clock and the message sink, shared by every call and guarded for calls from several threads.
#include "EngineSettings.h"

#include <chrono>
#include <ctime>
#include <mutex>

#include "MessageSink.h"

namespace letterforge {
namespace {

std::mutex settingsMutex;
std::function<LocalTime()> clockOverride;
platform::MessageSink* messageSink = nullptr;

LocalTime SystemLocalTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    return {static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_mon + 1),
            static_cast<std::int16_t>(local.tm_wday),        static_cast<std::int16_t>(local.tm_mday),
            static_cast<std::int16_t>(local.tm_hour),        static_cast<std::int16_t>(local.tm_min),
            static_cast<std::int16_t>(local.tm_sec),         static_cast<std::int16_t>(millis.count())};
}

}  // namespace

void SetClock(std::function<LocalTime()> clock) {
    const std::lock_guard lock(settingsMutex);
    clockOverride = std::move(clock);
}

void SetMessageSink(platform::MessageSink* sink) {
    const std::lock_guard lock(settingsMutex);
    messageSink = sink;
}

LocalTime CurrentLocalTime() {
    std::function<LocalTime()> clock;
    {
        const std::lock_guard lock(settingsMutex);
        clock = clockOverride;
    }
    return clock ? clock() : SystemLocalTime();
}

void ReportMessage(std::string_view text) {
    const std::lock_guard lock(settingsMutex);
    if (messageSink != nullptr) {
        messageSink->ShowMessageBox(text, "", platform::kOk | platform::kIconWarning);
    }
}

}  // namespace letterforge
