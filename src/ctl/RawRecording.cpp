#include "ctl/RawRecording.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include "receiver/external/CExternalNmeaReceiver.h"

namespace quorrel {
namespace {

constexpr int kFileOpenMs = 5000;  // the module sends a frame at least once a second
constexpr int kPollMs = 20;

}  // namespace

bool checkRecordingFile(const QString& path, std::string& problem) {
    const QFileInfo file(path);
    if (!file.absoluteDir().exists()) {
        problem = "record: the folder of " + path.toStdString() + " does not exist";
        return false;
    }
    if (file.isDir() || (file.exists() && file.size() > 0)) {
        problem = "record: " + path.toStdString() +
                  " already holds data; name a new file (a recording never overwrites one)";
        return false;
    }
    return true;
}

RawRecording::RawRecording(CGnssReceiver& receiver, const QString& path)
    : m_receiver(receiver), m_path(QFileInfo(path).absoluteFilePath()) {}

bool RawRecording::start(std::string& problem) {
    auto* module = dynamic_cast<CExternalNmeaReceiver*>(&m_receiver);
    if (!module || !module->RecordTo(m_path.toStdString())) {
        problem = "quorrelctl: SetRecording: the receiver cannot record raw data";
        return false;
    }
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + kFileOpenMs;
    while (!m_receiver.IsRecording()) {
        if (!healthy(problem)) return false;
        if (QDateTime::currentMSecsSinceEpoch() > deadline) {
            problem = "quorrelctl: SetRecording: the module sent nothing to record";
            return false;
        }
        QThread::msleep(kPollMs);
    }
    return true;
}

bool RawRecording::healthy(std::string& problem) {
    if (!m_receiver.PollRecordingStopped()) return true;
    problem =
        "quorrelctl: SetRecording: cannot write " + m_path.toStdString() + " (is the disk full?)";
    return false;
}

bool RawRecording::stop(std::string& problem) {
    if (m_receiver.SetRecording(false)) return true;
    problem = "quorrelctl: SetRecording: the recording did not end in time";
    return false;
}

qint64 RawRecording::bytesWritten() const {
    return QFileInfo(m_path).size();
}

}  // namespace quorrel
