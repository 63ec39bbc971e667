#include "receiver/OpenControl.h"

#include <cerrno>
#include <system_error>

namespace quorrel {

OpenFailure openFailureFromError(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return OpenFailure::NoSuchDevice;
        case EACCES:
        case EPERM:
            return OpenFailure::PermissionDenied;
        case EBUSY:
            return OpenFailure::Busy;
        default:
            return OpenFailure::Other;
    }
}

void OpenControl::setObserver(std::function<void(const OpenAttempt&)> observer) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_observer = std::move(observer);
}

void OpenControl::begin() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_cancel.clear();
    m_opening = true;
    m_failure = OpenFailure::None;
    m_detail.clear();
}

bool OpenControl::finish(bool succeeded) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_opening = false;
    if (m_cancel.isCancelled()) {
        m_failure = OpenFailure::Cancelled;
        m_detail = "cancelled";
        return false;
    }
    if (succeeded) {
        m_failure = OpenFailure::None;
        m_detail.clear();
    }
    return succeeded;
}

void OpenControl::cancel(const std::function<void()>& stopSearch) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (!m_opening) return;
    m_cancel.cancel();
    if (stopSearch) stopSearch();
}

void OpenControl::report(const OpenAttempt& attempt) const {
    std::function<void(const OpenAttempt&)> observer;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        observer = m_observer;
    }
    // Outside the lock: the observer may cancel.
    if (observer) observer(attempt);
}

bool OpenControl::fail(OpenFailure failure, std::string detail) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_failure = failure;
    m_detail = std::move(detail);
    return false;
}

bool OpenControl::failDevice(int error) {
    return fail(openFailureFromError(error), std::generic_category().message(error));
}

OpenFailure OpenControl::failure() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_failure;
}

std::string OpenControl::detail() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_detail;
}

}  // namespace quorrel
