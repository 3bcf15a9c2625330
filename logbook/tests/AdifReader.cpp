#include "AdifReader.h"

AdifFile readAdif(const QByteArray &text)
{
    AdifFile file;
    QMap<QString, QByteArray> current;
    qsizetype at = 0;
    // Text before the first '<' is the header's free text, when there is a header.
    if (!text.startsWith('<')) {
        at = text.indexOf('<');
        if (at < 0)
            return file;
    }
    bool afterData = false;
    while (at < text.size()) {
        const char c = text.at(at);
        if (c != '<') {
            if (afterData && !QByteArray(" \t\r\n").contains(c)) {
                file.error = QStringLiteral("text after a field's data at byte %1").arg(at);
                return file;
            }
            ++at;
            continue;
        }
        const qsizetype close = text.indexOf('>', at);
        if (close < 0) {
            file.error = QStringLiteral("unclosed tag at byte %1").arg(at);
            return file;
        }
        const QList<QByteArray> parts = text.mid(at + 1, close - at - 1).split(':');
        const QString name = QString::fromLatin1(parts.at(0)).toUpper();
        at = close + 1;
        if (parts.size() == 1) {
            if (name == QLatin1String("EOH")) {
                file.header = current;
                file.hasHeader = true;
            } else if (name == QLatin1String("EOR")) {
                file.records << current;
            } else {
                file.error = QStringLiteral("tag without length: ") + name;
                return file;
            }
            current.clear();
            afterData = false;
            continue;
        }
        bool ok = false;
        const int length = parts.at(1).toInt(&ok);
        if (!ok || length < 0 || at + length > text.size()) {
            file.error = QStringLiteral("bad length for ") + name;
            return file;
        }
        current.insert(name, text.mid(at, length));
        at += length;
        afterData = true;
    }
    if (!current.isEmpty())
        file.error = QStringLiteral("fields after the last <EOR>");
    return file;
}
