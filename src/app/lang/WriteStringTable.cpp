// Writes every built-in text as a language file's "strings.txt", the English language pack
// and a translator's starting point. Usage: quorrel-string-table <strings.txt>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "ui/kit/Resources.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Usage: quorrel-string-table <strings.txt>\n");
        return 2;
    }
    QFile out(args.at(1));
    const QByteArray table = quorrel::Resources::instance().builtinStringTable().toUtf8();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(table) != table.size() ||
        !out.flush()) {
        std::fprintf(stderr, "quorrel-string-table: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
