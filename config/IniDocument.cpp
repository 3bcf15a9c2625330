#include "config/IniDocument.h"

#include "ground/Cp1252.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringDecoder>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(const QByteArray &bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes.at(begin)))
        ++begin;
    while (end > begin && (isBlank(bytes.at(end - 1)) || bytes.at(end - 1) == '\r'))
        --end;
    return bytes.mid(begin, end - begin);
}

QString textOf(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Cp1252::decode(bytes) : text;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The prefixes QSettings gives to values that are not plain text.
constexpr const char *kVariantPrefixes[] = {"@ByteArray(", "@String(", "@Variant(", "@DateTime(",
                                            "@Rect(", "@Size(", "@Point(", "@Invalid("};

// No escape yields more than one UTF-16 unit: longer digit runs stop there.
constexpr int kMaxHexDigits = 4;
constexpr int kMaxOctalDigits = 3;

} // namespace

IniDocument::IniDocument(const QByteArray &text)
{
    parse(text);
}

void IniDocument::parse(const QByteArray &text)
{
    m_endsWithNewline = text.isEmpty() || text.endsWith('\n');
    QList<QByteArray> lines = text.split('\n');
    if (text.endsWith('\n') || text.isEmpty())
        lines.removeLast();
    QString section;
    QSet<QString> seen;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Line line{lines[i], section, {}, false};
        const QByteArray body = trimmedBlanks(line.bytes);
        if (body.isEmpty() || body.startsWith(';') || body.startsWith('#')) {
            // blank or comment
        } else if (body.startsWith('[') && body.endsWith(']')) {
            section = textOf(body.mid(1, body.size() - 2));
            line.section = section;
            line.isHeader = true;
        } else if (const qsizetype eq = body.indexOf('='); eq > 0) {
            line.name = trimmedBlanks(body.left(eq));
            const QString key = section + QLatin1Char('/') + textOf(line.name);
            if (seen.contains(key))
                m_problems << QCoreApplication::translate("Korvo", "ligne %1 : %2 donné deux fois").arg(i + 1).arg(textOf(line.name));
            seen.insert(key);
        } else {
            m_problems << QCoreApplication::translate("Korvo", "ligne %1 illisible").arg(i + 1);
        }
        m_lines << line;
    }
}

qsizetype IniDocument::findValue(const QString &section, const QByteArray &name) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (!m_lines[i].isHeader && m_lines[i].section == section && m_lines[i].name == name)
            return i;
    return -1;
}

IniDocument::Value IniDocument::value(const QString &section, const QString &name) const
{
    const qsizetype i = findValue(section, name.toUtf8());
    if (i < 0)
        return {};
    const QByteArray &bytes = m_lines[i].bytes;
    return decodeValue(bytes.mid(bytes.indexOf('=') + 1));
}

void IniDocument::setValue(const QString &section, const QString &name, const QString &value)
{
    const QByteArray key = name.toUtf8();
    QByteArray bytes = key + '=' + encodeValue(value);
    const qsizetype existing = findValue(section, key);
    if (existing >= 0) {
        // The line keeps its CR LF ending if it had one.
        if (m_lines[existing].bytes.endsWith('\r'))
            bytes += '\r';
        m_lines[existing].bytes = bytes;
        return;
    }
    ensureSection(section);
    // After the last value of the section's first block: a comment or blank line
    // that follows belongs to what comes next.
    qsizetype at = -1;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].isHeader && m_lines[i].section == section && at < 0) {
            at = i;
            continue;
        }
        if (at < 0)
            continue;
        if (m_lines[i].isHeader)
            break;
        if (!m_lines[i].name.isEmpty())
            at = i;
    }
    m_lines.insert(at + 1, Line{bytes, section, key, false});
}

void IniDocument::ensureSection(const QString &section)
{
    for (const Line &line : m_lines)
        if (line.isHeader && line.section == section)
            return;
    if (!m_lines.isEmpty() && !trimmedBlanks(m_lines.last().bytes).isEmpty())
        m_lines << Line{{}, m_lines.last().section, {}, false};
    m_lines << Line{'[' + section.toUtf8() + ']', section, {}, true};
    m_endsWithNewline = true;
}

QByteArray IniDocument::text() const
{
    QByteArray out;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i].bytes;
        if (i + 1 < m_lines.size() || m_endsWithNewline)
            out += '\n';
    }
    return out;
}

IniDocument::Value IniDocument::decodeValue(const QByteArray &raw)
{
    const QString in = textOf(trimmedBlanks(raw));
    QString out;
    out.reserve(in.size());
    bool quoted = false;
    bool list = false;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            list = true;
            out += c;
        } else if (c == QLatin1Char('\\') && i + 1 < in.size()) {
            const QChar e = in.at(++i);
            switch (e.unicode()) {
            case 'a': out += QChar(7); break;
            case 'b': out += QChar(8); break;
            case 'f': out += QChar(12); break;
            case 'n': out += QChar(10); break;
            case 'r': out += QChar(13); break;
            case 't': out += QChar(9); break;
            case 'v': out += QChar(11); break;
            case '"': case '\'': case '?': case '\\': out += e; break;
            case 'x': {
                char16_t code = 0;
                int digits = 0;
                while (digits < kMaxHexDigits && i + 1 < in.size() && hexDigit(in.at(i + 1)) >= 0) {
                    code = char16_t(code * 16 + hexDigit(in.at(++i)));
                    ++digits;
                }
                if (digits == 0)
                    out += QStringLiteral("\\x");
                else
                    out += QChar(code);
                break;
            }
            default:
                if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
                    char16_t code = char16_t(e.unicode() - '0');
                    for (int d = 1; d < kMaxOctalDigits && i + 1 < in.size() && in.at(i + 1) >= QLatin1Char('0')
                                    && in.at(i + 1) <= QLatin1Char('7');
                         ++d)
                        code = char16_t(code * 8 + (in.at(++i).unicode() - '0'));
                    out += QChar(code);
                } else {
                    // Not an escape: the backslash is the operator's.
                    out += QLatin1Char('\\');
                    out += e;
                }
            }
        } else {
            out += c;
        }
    }
    if (list)
        return {Kind::NotText, {}};
    if (out.startsWith(QLatin1String("@@")))
        return {Kind::Text, out.mid(1)};
    for (const char *prefix : kVariantPrefixes)
        if (out.startsWith(QLatin1String(prefix)))
            return {Kind::NotText, {}};
    return {Kind::Text, out};
}

QByteArray IniDocument::encodeValue(const QString &value)
{
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == ';' || u == ',' || u == '=')
            needsQuotes = true;
        // A digit right after a numeric escape would be read as part of it.
        if (escapeNextIfHex && hexDigit(c) >= 0) {
            out += "\\x" + QByteArray::number(u, 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (u) {
        case 0: out += "\\0"; escapeNextIfHex = true; break;
        case 7: out += "\\a"; break;
        case 8: out += "\\b"; break;
        case 12: out += "\\f"; break;
        case 10: out += "\\n"; break;
        case 13: out += "\\r"; break;
        case 9: out += "\\t"; break;
        case 11: out += "\\v"; break;
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        default:
            if (u < 0x20 || u == 0x7f) {
                out += "\\x" + QByteArray::number(u, 16);
                escapeNextIfHex = true;
            } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                out += text.mid(i, 2).toUtf8();
                ++i;
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}
