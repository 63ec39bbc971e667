#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "platform/CancelSignal.h"
#include "receiver/CGnssReceiver.h"

namespace quorrel {

// What both drivers share around Open: the progress observer, cancelling from another thread
// and the reason for a failure. Open runs on one thread; every other call may come from any.
class OpenControl {
public:
    void setObserver(std::function<void(const OpenAttempt&)> observer);

    // Open begins: an earlier cancel and failure are forgotten.
    void begin();
    // Open ends with `succeeded`; false when it was cancelled meanwhile, whatever it achieved.
    bool finish(bool succeeded);
    // Cancels a running Open and runs `stopSearch` (which ends the driver's waits) before any
    // Open can end; does nothing while no Open runs.
    void cancel(const std::function<void()>& stopSearch);
    bool isCancelled() const { return m_cancel.isCancelled(); }
    // Sleeps unless cancelled; true when the whole time passed.
    bool sleep(int ms) const { return m_cancel.sleep(ms); }

    // Before each baud-rate try.
    void report(const OpenAttempt& attempt) const;

    // Each records why Open fails and returns false: a cancel overrides the reason given.
    bool fail(OpenFailure failure, std::string detail = {});
    // The device could not be opened, with the error number it gave.
    bool failDevice(int error);

    OpenFailure failure() const;
    std::string detail() const;

private:
    mutable std::mutex m_mutex;  // guards the members below
    std::function<void(const OpenAttempt&)> m_observer;
    bool m_opening = false;
    OpenFailure m_failure = OpenFailure::None;
    std::string m_detail;
    CancelSignal m_cancel;
};

// The failure a device open's error number stands for.
OpenFailure openFailureFromError(int error);

}  // namespace quorrel
