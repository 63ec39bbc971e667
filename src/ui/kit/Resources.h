#pragma once

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QString>

namespace quorrel {

// Every user-visible text, icon and bitmap, looked up by its number. The built-in English
// texts and images can be replaced, id by id, by a language file ("Lang.rcc", a Qt binary
// resource) beside the executable.
class Resources {
public:
    static Resources& instance();

    // The text of string `id`, or an empty string when there is none.
    QString text(int id) const;
    // The image of bitmap `id` (a null image when missing).
    QImage bitmap(int id) const;
    QIcon icon(int id) const;

    // Adds (or replaces) a built-in text; each layer registers its own at start.
    void addBuiltinText(int id, const QString& text);
    // Loads `rccPath` and takes texts and images from it from now on. False when the file
    // is missing or not a resource file; the built-in resources then stay in use.
    bool loadLanguageFile(const QString& rccPath);
    void unloadLanguageFile();
    bool hasLanguageFile() const { return !m_languageFile.isEmpty(); }
    // Every built-in text as a language file's "strings.txt" ("id<TAB>text" per line, by id):
    // the English language pack, and where a translation starts.
    QString builtinStringTable() const;

private:
    Resources();
    QString imagePath(const char* kind, int id) const;

    QHash<int, QString> m_builtin;
    QHash<int, QString> m_language;
    QString m_languageFile;
};

// Shorthand for Resources::instance().text(id).
inline QString resText(int id) {
    return Resources::instance().text(id);
}

}  // namespace quorrel
