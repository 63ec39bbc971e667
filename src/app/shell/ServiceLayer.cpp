#include "app/shell/ServiceLayer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace quorrel {
namespace {

QString lastPathPart(const QByteArray& path) {
    const QString text = QString::fromLocal8Bit(path);
    return text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
}

QByteArray readSmall(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(4096);
}

// A process that ended but was not yet reaped by its parent still has its name in /proc.
bool hasEnded(const QString& dir) {
    const QByteArray stat = readSmall(dir + QStringLiteral("/stat"));
    // "pid (comm) S …": the state follows the last ")", as the name may hold one.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0 || close + 2 >= stat.size()) return true;
    const char state = stat.at(close + 2);
    return state == 'Z' || state == 'X';
}

// The process's name as the kernel keeps it, and the name it was started under.
bool processIsNamed(const QString& pid, const QString& name) {
    const QString dir = QStringLiteral("/proc/") + pid;
    if (hasEnded(dir)) return false;
    const QByteArray comm = readSmall(dir + QStringLiteral("/comm")).trimmed();
    if (!comm.isEmpty() && lastPathPart(comm).compare(name, Qt::CaseInsensitive) == 0) return true;
    const QByteArray cmdline = readSmall(dir + QStringLiteral("/cmdline"));
    const QByteArray argv0 = cmdline.left(cmdline.indexOf('\0'));
    return !argv0.isEmpty() && lastPathPart(argv0).compare(name, Qt::CaseInsensitive) == 0;
}

}  // namespace

ServiceLayerConfig ServiceLayerConfig::installed() {
    ServiceLayerConfig config;
    config.programFilesDir = QStringLiteral(QUORREL_PROGRAM_FILES);
    return config;
}

bool ServiceLayer::IsServiceLayerRunning() const {
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool numeric = false;
        entry.toLongLong(&numeric);
        if (numeric && processIsNamed(entry, m_config.processName)) return true;
    }
    return false;
}

QString ServiceLayer::executablePath() const {
    QString path = m_config.programFilesDir;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path + m_config.folder + QLatin1Char('/') + m_config.processName;
}

bool ServiceLayer::wouldStart() const {
    return !m_config.programFilesDir.isEmpty() && QFileInfo(executablePath()).isExecutable() &&
           !IsServiceLayerRunning();
}

bool ServiceLayer::EnsureServiceLayer(const std::atomic<bool>* cancel) const {
    if (IsServiceLayerRunning()) return true;
    if (m_config.programFilesDir.isEmpty()) return false;
    // Nothing started means nothing to wait for: the open that follows tells what is wrong.
    if (!QFileInfo(executablePath()).isExecutable()) return false;
    // Detached, so the service outlives the program.
    if (!QProcess::startDetached(executablePath(), {QStringLiteral("-f")})) return false;
    QDeadlineTimer deadline(m_config.startWaitMs);
    while (!deadline.hasExpired() && !(cancel && cancel->load()))
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(20, deadline.remainingTime())));
    return true;
}

}  // namespace quorrel
