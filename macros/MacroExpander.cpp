#include "macros/MacroExpander.h"

#include "ground/Cp1252.h"
#include "config/DatePattern.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Replaces every "\<letter>" by value(at), where at is the position the escape
// held (value may take away characters that follow it). The search goes on after
// the inserted value, so a value holding its own escape cannot loop.
template <typename ValueAt>
void replaceEscape(QString &text, char letter, ValueAt value)
{
    const QString escape = QString(QLatin1Char('\\')) + QLatin1Char(letter);
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(escape, from);
        if (at < 0)
            return;
        text.remove(at, 2);
        const QString inserted = value(at);
        text.insert(at, inserted);
        from = at + inserted.size();
    }
}

QString hourMinutes(const QDateTime &when)
{
    return when.time().toString(QStringLiteral("HH:mm"));
}

// Every line of the file followed by one CR, whatever ended it (CR LF, LF or CR).
QString linesWithCr(const QString &content)
{
    QString out;
    out.reserve(content.size() + 1);
    QString line;
    bool open = false;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const QChar ch = content.at(i);
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < content.size() && content.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += line + QLatin1Char('\r');
            line.clear();
            open = false;
        } else if (ch != QChar(0)) {
            line += ch;
            open = true;
        }
    }
    if (open)
        out += line + QLatin1Char('\r');
    return out;
}

} // namespace

MacroExpander::MacroExpander(MacroSources sources, Actions actions)
    : m_sources(std::move(sources)), m_actions(std::move(actions))
{
}

MacroExpander::Result MacroExpander::expand(const QString &macroText, QsoFields &qso)
{
    Result result;
    QString text = macroText;
    m_includedBytes = 0;

    const auto askInto = [this, &qso](QString &field, const char *caption, const char *prompt) {
        if (field.isEmpty() && m_actions.ask) {
            field = m_actions.ask(QString::fromUtf8(caption), QString::fromUtf8(prompt));
            if (m_actions.answered)
                m_actions.answered(qso);
        }
        return field;
    };

    replaceEscape(text, 'c', [&](qsizetype) {
        return askInto(qso.HisCall, "Indicatif manquant", "Entrez l'indicatif de la station");
    });
    replaceEscape(text, 'd', [&](qsizetype) {
        return formatDatePattern(m_sources.DatePattern, m_sources.localTime, m_sources.locale);
    });
    QStringList chain;
    if (!expandIncludes(text, chain, result.error)) {
        result.ok = false;
        return result;
    }
    replaceEscape(text, 'g', [&](qsizetype) { return greeting(); });
    replaceEscape(text, 'h', [&](qsizetype at) {
        // No name: the character after the escape (normally a space) goes too.
        if (qso.HisName.isEmpty() && at < text.size())
            text.remove(at, 1);
        return qso.HisName;
    });
    replaceEscape(text, 'i', [](qsizetype) { return QStringLiteral("\t"); });
    replaceEscape(text, 'm', [&](qsizetype) { return m_sources.MyCall; });
    replaceEscape(text, 'n', [](qsizetype) { return QStringLiteral("\r"); });
    replaceEscape(text, 'r', [&](qsizetype) {
        return askInto(qso.HisRep, "Report (RST) manquant", "Entrez le report de la station");
    });
    replaceEscape(text, 't', [&](qsizetype) {
        if (!m_sources.Tuning && m_actions.startTransmit)
            m_actions.startTransmit();
        return QString();
    });
    replaceEscape(text, 'u', [&](qsizetype) { return hourMinutes(m_sources.utcTime) + QStringLiteral(" TU"); });
    replaceEscape(text, 'v', [&](qsizetype) { return hourMinutes(m_sources.localTime); });
    replaceEscape(text, 'w', [&](qsizetype) {
        if (m_actions.clearReceivePane)
            m_actions.clearReceivePane();
        return QString();
    });
    replaceEscape(text, 'x', [&](qsizetype) {
        return QStringLiteral("\rFin du qso: ") + hourMinutes(m_sources.utcTime) + QStringLiteral(" TU");
    });
    replaceEscape(text, 'z', [](qsizetype) { return QString(QChar(3)); });

    result.text = text;
    return result;
}

QString MacroExpander::greeting() const
{
    const int hour = m_sources.localTime.time().hour();
    if (hour < 12)
        return QStringLiteral("Bonjour");
    if (hour < 18)
        return QStringLiteral("Bonne après-midi");
    return QStringLiteral("Bonsoir");
}

// \f<name>: the name runs from the escape's position (its first character taken
// whatever it is) to the first character below 33, which stays. The file's own
// includes are expanded inside its text before it is inserted.
bool MacroExpander::expandIncludes(QString &text, QStringList &chain, QString &error)
{
    const QString escape = QStringLiteral("\\f");
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(escape, from);
        if (at < 0)
            return true;
        text.remove(at, 2);
        qsizetype end = at;
        if (end < text.size())
            ++end;
        while (end < text.size() && text.at(end).unicode() >= 33)
            ++end;
        QString name = text.mid(at, end - at);
        text.remove(at, end - at);
        // Names written with the other platform's folder separator still find their file.
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));

        QFileInfo info;
        for (const QString &folder : m_sources.dataFolders)
            if (info.setFile(folder + QLatin1Char('/') + name); info.isFile())
                break;
        const QString path = info.canonicalFilePath();
        // A missing file vanishes with its escape; so does an include that would
        // nest too deep or include a file already being included.
        if (!info.isFile() || chain.contains(path) || chain.size() >= kMaxIncludeDepth) {
            from = at;
            continue;
        }

        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error = info.filePath() + QStringLiteral(" : ") + file.errorString();
            return false;
        }
        const QByteArray bytes = file.read(kMaxFileBytes + 1);
        if (file.error() != QFileDevice::NoError) {
            error = info.filePath() + QStringLiteral(" : ") + file.errorString();
            return false;
        }
        if (bytes.size() > kMaxFileBytes) {
            error = info.filePath() + QCoreApplication::translate("Korvo", " : fichier trop grand pour une procédure (plus de 64 Ko)");
            return false;
        }
        m_includedBytes += bytes.size();
        if (m_includedBytes > kMaxIncludedBytes) {
            error = info.filePath() + QCoreApplication::translate("Korvo", " : trop de texte inclus dans la procédure (plus de 256 Ko)");
            return false;
        }

        QString value = linesWithCr(Cp1252::decode(bytes));
        chain.append(path);
        const bool ok = expandIncludes(value, chain, error);
        chain.removeLast();
        if (!ok)
            return false;
        text.insert(at, value);
        from = at + value.size();
    }
}
