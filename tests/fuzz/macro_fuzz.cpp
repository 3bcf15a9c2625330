// Any bytes as a macro text and as the content of its include files: the expansion
// ends, without a fault, and within the limits on included text.
#include "macros/MacroExpander.h"

#include "ground/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// The program folder \f looks in: "a" and "b" hold the second part of the input.
QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

void writeInclude(const QString &name, const QByteArray &bytes)
{
    QFile file(folder().filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // Macro text, then (after the first NUL) the text of the include files.
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray macro = split < 0 ? bytes : bytes.left(split);
    const QByteArray include = split < 0 ? QByteArray() : bytes.mid(split + 1);
    writeInclude(QStringLiteral("a"), include);
    writeInclude(QStringLiteral("b"), include + "\\fa \\fb");

    MacroSources sources;
    sources.MyCall = QStringLiteral("F5\\mXYZ");
    sources.DatePattern = QStringLiteral("dddd d mmmm yyyy");
    sources.localTime = QDateTime(QDate(2026, 3, 5), QTime(18, 35), Qt::UTC);
    sources.utcTime = sources.localTime;
    sources.locale = QLocale(QLocale::French, QLocale::France);
    sources.dataFolders = {folder().path()};

    int questions = 0;
    MacroExpander::Actions actions;
    // Answers that hold escapes of their own passes and of later ones.
    actions.ask = [&questions](const QString &, const QString &) {
        ++questions;
        return QStringLiteral("\\c\\r\\m\\fa");
    };
    actions.startTransmit = [] {};
    actions.clearReceivePane = [] {};

    QsoFields qso{QString(), QStringLiteral("\\h"), QString()};
    MacroExpander expander(sources, actions);
    const MacroExpander::Result result = expander.expand(Cp1252::decode(macro), qso);
    // Each escape grows the text by a bounded value; includes by at most their limit.
    constexpr qsizetype kLongestValue = 64;
    if (result.ok && result.text.size() > macro.size() * kLongestValue + 2 * MacroExpander::kMaxIncludedBytes)
        std::abort();
    if (questions > macro.size())
        std::abort();
    return 0;
}
