#include "app/ServiceLayer.h"

#include <QDir>
#include <QFile>
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

// The process's name as the kernel keeps it, and the name it was started under.
bool processIsNamed(const QString& pid, const QString& name) {
    const QString dir = QStringLiteral("/proc/") + pid;
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

bool ServiceLayer::EnsureServiceLayer() const {
    if (IsServiceLayerRunning()) return true;
    if (m_config.programFilesDir.isEmpty()) return false;
    // Detached, so the service outlives the program; whether it started is not checked.
    QProcess::startDetached(executablePath(), {QStringLiteral("-f")});
    QThread::msleep(static_cast<unsigned long>(m_config.startWaitMs));
    return true;
}

}  // namespace quorrel
