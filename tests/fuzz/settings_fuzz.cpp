// Any bytes as a settings file: reading never fails, the text is kept byte for byte,
// a value written reads back as written and leaves every other line as it was.
#include "config/IniDocument.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniDocument document(bytes);
    check(document.text() == bytes);

    const QString sections[] = {QStringLiteral("Settings"), QStringLiteral("Look"), QStringLiteral("")};
    for (const QString &section : sections)
        for (const char *name : {"MyCall", "WFMax", "MacroText1", "a"})
            document.value(section, QString::fromLatin1(name));

    // The input's own text as a value: through the file and back unchanged.
    const QString value = QString::fromUtf8(bytes);
    check(IniDocument::decodeValue(IniDocument::encodeValue(value)).text == value);
    document.setValue(QStringLiteral("Settings"), QStringLiteral("MyCall"), value);
    const IniDocument::Value read = IniDocument(document.text()).value(QStringLiteral("Settings"),
                                                                        QStringLiteral("MyCall"));
    check(read.kind == IniDocument::Kind::Text && read.text == value);
    return 0;
}
