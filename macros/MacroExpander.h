#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

// The three fields of the QSO box a macro reads; the answers to the two questions
// are written back into them.
struct QsoFields
{
    QString HisCall;
    QString HisName;
    QString HisRep;
};

// What a macro's escapes are made of, taken when the macro is launched.
struct MacroSources
{
    QString MyCall;
    QString DatePattern;
    QDateTime localTime;    // the local clock (its fields are used as they stand)
    QDateTime utcTime;      // the same instant in UTC
    QLocale locale;         // day and month names, short date and long time
    QStringList dataFolders;  // where \f looks for its files, the first that has one wins
    bool Tuning = false;    // \t does not key the transmitter during a tune
};

// The expansion of a macro's escapes (\c \d \f \g \h \i \m \n \r \t \u \v \w \x \z):
// fifteen passes in that order over a working copy of the text, each replacing every
// occurrence of its escape by its value, so that a value is seen by the later passes.
// A pass goes on searching after the value it inserted, so a value holding its own
// escape (a call sign "\c") is inserted once; \f expands the includes of an included
// file too, at most kMaxIncludeDepth deep, and never a file already being included.
class MacroExpander
{
public:
    static constexpr int kMaxIncludeDepth = 4;
    static constexpr qint64 kMaxFileBytes = 64 * 1024;
    // All \f files of one launch together; a few files that include each other
    // many times must not grow the text without bound.
    static constexpr qint64 kMaxIncludedBytes = 256 * 1024;

    struct Actions
    {
        // An input box (caption, prompt, empty default): the answer, empty if cancelled.
        std::function<QString(const QString &caption, const QString &prompt)> ask;
        // The QSO fields as they stand after each answer, before the expansion goes on.
        std::function<void(const QsoFields &qso)> answered;
        // \t: key the transmitter now (NET rule, button looks, start).
        std::function<void()> startTransmit;
        // \w: empty the receive pane of the current channel now.
        std::function<void()> clearReceivePane;
    };

    struct Result
    {
        bool ok = true;
        QString text;   // what to deliver to the transmit pane
        QString error;  // when !ok: the text of the general error report
    };

    MacroExpander(MacroSources sources, Actions actions);

    // qso is read and receives the answers to the questions, even when the
    // expansion fails afterwards.
    Result expand(const QString &macroText, QsoFields &qso);

private:
    bool expandIncludes(QString &text, QStringList &chain, QString &error);
    QString greeting() const;

    MacroSources m_sources;
    Actions m_actions;
    qint64 m_includedBytes = 0;
};
