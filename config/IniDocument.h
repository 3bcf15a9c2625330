#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The settings file's text held as its lines, so that writing a value replaces that
// value's line alone: comments, spacing, unknown values and lines the program cannot
// read stay byte for byte. Values are read and written in the INI syntax of QSettings
// (quotes, backslash escapes, "@@" for a leading "@"), so files written by earlier
// versions read the same.
//
// Differences that keep a hand-edited value whole: ';' inside a value is text (only a
// line starting with ';' or '#' is a comment), an escape the syntax does not know
// keeps its backslash, and bytes that are not UTF-8 are read as Windows-1252.
class IniDocument
{
public:
    enum class Kind
    {
        Absent,
        Text,
        NotText,   // a list ("a, b") or a serialised variant ("@Variant(...)")
    };
    struct Value
    {
        Kind kind = Kind::Absent;
        QString text;
    };

    explicit IniDocument(const QByteArray &text = {});

    // The first value of that name in the section (every block of the section counts).
    Value value(const QString &section, const QString &name) const;
    // Replaces the value's line, or adds it at the end of its section (the section
    // added at the end of the text if missing).
    void setValue(const QString &section, const QString &name, const QString &value);
    // Adds "[section]" at the end of the text when no such header exists.
    void ensureSection(const QString &section);
    QByteArray text() const;

    // What the program cannot read as the operator wrote it: lines that are neither
    // blank, a comment, a section header nor name=value, and names given twice in a
    // section (only the first is read). One entry per line, with its number.
    QStringList problems() const { return m_problems; }

    // The value as QSettings writes it ("a;b" quoted, control codes escaped).
    static QByteArray encodeValue(const QString &value);
    static Value decodeValue(const QByteArray &raw);

private:
    struct Line
    {
        QByteArray bytes;      // without its '\n'
        QString section;       // the section it lies in (empty before the first header)
        QByteArray name;       // for a value line: its name, trimmed
        bool isHeader = false;
    };

    void parse(const QByteArray &text);
    qsizetype findValue(const QString &section, const QByteArray &name) const;

    QList<Line> m_lines;
    bool m_endsWithNewline = true;
    QStringList m_problems;
};
