#pragma once

#include "ground/Dialogs.h"

#include <QList>
#include <QStringList>

// Answers the program's boxes in tests. While it lives it is the installed
// implementation. It records everything in order in shown() ("beep",
// "message: <text>", "question: <text>", "input: <caption> | <prompt>"),
// answers questions and input boxes from queues, and yes / cancel when empty.
class ScriptedDialogs : public Dialogs
{
public:
    struct InputAnswer
    {
        QString text;
        bool ok = true;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    const QStringList &shown() const { return m_shown; }
    // The texts of the message boxes only, in order.
    QStringList messages() const;
    // The kind of each message and question box, in order.
    const QList<Kind> &kinds() const { return m_kinds; }
    int beeps() const { return m_beeps; }
    void clear();

    void queueQuestion(bool yes) { m_questionAnswers << yes; }
    void queueInput(const QString &text, bool ok = true) { m_inputAnswers << InputAnswer{text, ok}; }

    void beep() override;
    void message(const QString &text, Kind kind = Kind::Plain) override;
    bool question(const QString &text, Kind kind = Kind::Warning) override;
    QString input(const QString &caption, const QString &prompt,
                  const QString &defaultText, bool *ok = nullptr) override;

private:
    QStringList m_shown;
    QStringList m_messages;
    QList<Kind> m_kinds;
    int m_beeps = 0;
    QList<bool> m_questionAnswers;
    QList<InputAnswer> m_inputAnswers;
};
