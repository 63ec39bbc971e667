// One QApplication for every test of the executable, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (m_runtime.isValid()) {
            QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        }
        // Screens keep files there (connection histories): never the user's own.
        if (m_data.isValid()) qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
        m_app = new QApplication(m_argc, m_argv);
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[16] = "quorrel-tests";
    char* m_argv[2] = {m_name, nullptr};
    QTemporaryDir m_runtime;
    QTemporaryDir m_data;
    QApplication* m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
