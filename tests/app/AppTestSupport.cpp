#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cstdlib>
#include <memory>

namespace quorrel::test {
namespace {

// Every test program of the shell runs with one QApplication on the offscreen platform and
// a private runtime folder (which also holds the single-instance lock file).
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_runtime = std::make_unique<QTemporaryDir>();
        QFile::setPermissions(m_runtime->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit().constData(), 1);
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override {
        m_app.reset();
        m_runtime.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "quorrel-tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

TemporarySettings::TemporarySettings() : m_path(m_dir.path()) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_path);
}

TemporarySettings::~TemporarySettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QDir::homePath() + QStringLiteral("/.config"));
}

QString TemporarySettings::filePath(const QString& title) const {
    return m_path + QStringLiteral("/Tavrenk/") + title + QStringLiteral(".conf");
}

QString TemporarySettings::fileText(const QString& title) const {
    QFile file(filePath(title));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

void TemporarySettings::writeFile(const QString& text, const QString& title) {
    QDir().mkpath(m_path + QStringLiteral("/Tavrenk"));
    QFile file(filePath(title));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

QStringList groupKeys(const QString& fileText, const QString& group) {
    QStringList keys;
    bool inGroup = false;
    for (const QString& line : fileText.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
        } else if (inGroup && line.contains(QLatin1Char('='))) {
            keys << line.left(line.indexOf(QLatin1Char('=')));
        }
    }
    return keys;
}

QString binaryDir() {
    return QStringLiteral(QUORREL_BINARY_DIR "/bin");
}

}  // namespace quorrel::test
