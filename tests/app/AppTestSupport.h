#pragma once

#include <QString>
#include <QTemporaryDir>

#include "support/QtPrinting.h"

namespace quorrel::test {

// Points QSettings' user store at a fresh temporary folder for the lifetime of the object,
// so tests read and write real settings files without touching the user's.
class TemporarySettings {
public:
    TemporarySettings();
    ~TemporarySettings();
    const QString& folder() const { return m_path; }
    // The file that organization "Tavrenk", application `title` lives in.
    QString filePath(const QString& title = QStringLiteral("GNSS Quorrel")) const;
    // The file's text, empty when it does not exist.
    QString fileText(const QString& title = QStringLiteral("GNSS Quorrel")) const;
    void writeFile(const QString& text, const QString& title = QStringLiteral("GNSS Quorrel"));

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The value names (keys) of one group of a settings file's text.
QStringList groupKeys(const QString& fileText, const QString& group);

// The folder the build puts every program in.
QString binaryDir();

}  // namespace quorrel::test
