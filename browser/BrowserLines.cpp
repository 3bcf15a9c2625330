#include "browser/BrowserLines.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kBpskMode = 0;
const QString kCq = QStringLiteral("CQ");

QRegularExpression wholeWord(const QString &word)
{
    return QRegularExpression(QStringLiteral("(?<![\\p{L}\\p{N}])%1(?![\\p{L}\\p{N}])")
                                  .arg(QRegularExpression::escape(word)),
                              QRegularExpression::CaseInsensitiveOption);
}

// The highlight rule with its patterns built once for a whole list.
class Highlighter
{
public:
    explicit Highlighter(const QString &myCall)
        : m_hasCall(!myCall.trimmed().isEmpty()), m_myCall(wholeWord(myCall.trimmed())), m_cq(wholeWord(kCq))
    {
    }

    BrowserHighlight of(const QString &text) const
    {
        if (m_hasCall && m_myCall.match(text).hasMatch())
            return BrowserHighlight::MyCall;
        if (m_cq.match(text).hasMatch())
            return BrowserHighlight::Cq;
        return BrowserHighlight::None;
    }

private:
    bool m_hasCall;
    QRegularExpression m_myCall;
    QRegularExpression m_cq;
};

} // namespace

QString browserModeName(int32_t mode)
{
    return mode == kBpskMode ? QStringLiteral("BPSK") : QStringLiteral("QPSK");
}

QString browserSnrText(double snrDb)
{
    return QStringLiteral("%1 dB").arg(static_cast<int>(std::lround(snrDb)));
}

QString browserLineText(const QString &received)
{
    QString out;
    out.reserve(received.size());
    for (qsizetype i = 0; i < received.size(); ++i) {
        const QChar c = received.at(i);
        if (c == u'\r' && i + 1 < received.size() && received.at(i + 1) == u'\n')
            continue; // CR LF is one line break
        if (c == u'\r' || c == u'\n' || c == u'\t')
            out += u' ';
        else if (c.category() != QChar::Other_Control)
            out += c;
    }
    return out;
}

BrowserHighlight browserHighlight(const QString &text, const QString &myCall)
{
    return Highlighter(myCall).of(text);
}

std::vector<BrowserLine> browserLines(std::vector<BrowserSignal> found, const QString &myCall)
{
    std::sort(found.begin(), found.end(), [](const BrowserSignal &a, const BrowserSignal &b) {
        return a.freqHz != b.freqHz ? a.freqHz < b.freqHz : a.id < b.id;
    });
    const Highlighter highlighter(myCall);
    std::vector<BrowserLine> lines;
    lines.reserve(found.size());
    for (const BrowserSignal &s : found) {
        BrowserLine line;
        line.id = s.id;
        line.freqHz = static_cast<int>(std::lround(s.freqHz));
        line.frequency = QString::number(line.freqHz);
        line.mode = browserModeName(s.mode);
        line.snr = browserSnrText(s.snrDb);
        line.text = browserLineText(s.text);
        line.receiving = s.receiving;
        line.highlight = highlighter.of(line.text);
        lines.push_back(std::move(line));
    }
    return lines;
}
