#pragma once

#include <QString>
#include <string>

namespace quorrel {

class CGnssReceiver;

// Whether `path` can take a new recording: its folder exists and it holds no data yet.
bool checkRecordingFile(const QString& path, std::string& problem);

// The SiRF module's raw data recorded into a file the user names.
class RawRecording {
public:
    RawRecording(CGnssReceiver& receiver, const QString& path);

    // Starts the recording and waits until the file is open. False, with the reason, when the
    // receiver cannot record raw data or the file cannot be created.
    bool start(std::string& problem);
    // False, with the reason, once writing the file has failed.
    bool healthy(std::string& problem);
    // Ends the recording; the file is closed when this returns true.
    bool stop(std::string& problem);

    const QString& path() const { return m_path; }
    qint64 bytesWritten() const;

private:
    CGnssReceiver& m_receiver;
    QString m_path;
};

}  // namespace quorrel
