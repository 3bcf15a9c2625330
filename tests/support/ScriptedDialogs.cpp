#include "tests/support/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (&Dialogs::current() == this)
        Dialogs::install(nullptr);
}

QStringList ScriptedDialogs::messages() const
{
    return m_messages;
}

void ScriptedDialogs::clear()
{
    m_shown.clear();
    m_messages.clear();
    m_kinds.clear();
    m_beeps = 0;
}

void ScriptedDialogs::beep()
{
    ++m_beeps;
    m_shown << QStringLiteral("beep");
}

void ScriptedDialogs::message(const QString &text, Kind kind)
{
    m_kinds << kind;
    m_messages << text;
    m_shown << QStringLiteral("message: ") + text;
}

bool ScriptedDialogs::question(const QString &text, Kind kind)
{
    m_kinds << kind;
    m_shown << QStringLiteral("question: ") + text;
    return m_questionAnswers.isEmpty() ? true : m_questionAnswers.takeFirst();
}

QString ScriptedDialogs::input(const QString &caption, const QString &prompt,
                               const QString &defaultText, bool *ok)
{
    m_shown << QStringLiteral("input: ") + caption + QStringLiteral(" | ") + prompt;
    const InputAnswer answer = m_inputAnswers.isEmpty() ? InputAnswer{defaultText, false}
                                                        : m_inputAnswers.takeFirst();
    if (ok)
        *ok = answer.ok;
    return answer.ok ? answer.text : defaultText;
}
