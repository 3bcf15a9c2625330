#include "ground/Images.h"
#include "engine/ConnectionFlags.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedEngine.h"
#include "transmit/TransmitBuffer.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// Asks the engine something when a posted event reaches it, so that the moment a
// pending event runs shows among the engine calls.
class PendingEvent : public QObject
{
public:
    explicit PendingEvent(ScriptedEngine &engine) : m_engine(engine) {}
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        m_engine.fnGetTXCharsRemaining();
        return true;
    }

private:
    ScriptedEngine &m_engine;
};

} // namespace

class TestTransmitBuffer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typedKeys_data();
    void typedKeys();
    void composedCharactersAreSent();
    void pendingEventsRunBeforeEachCharacter();
    void typingWhileDisconnected();
    void pasteDropsControlCodes();
    void pasteNothing();
    void clearEmptiesQueueAndPane();
    void pasteEnabledByTheClipboard();

private:
    ScriptedEngine *m_engine = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    ConnectionFlags m_flags;
    ImageList m_images;
    QPlainTextEdit *m_pane = nullptr;
    TransmitBuffer *m_buffer = nullptr;
    QStringList m_notices;
};

void TestTransmitBuffer::init()
{
    m_engine = new ScriptedEngine;
    m_dialogs = new ScriptedDialogs;
    m_flags = {};
    m_flags.CardActive = true;
    m_pane = new QPlainTextEdit;
    m_buffer = new TransmitBuffer(*m_engine, m_flags, m_pane, &m_images);
    m_notices.clear();
    m_buffer->setStatusNoticeHook([this](int icon, const QString &text) {
        m_notices << QStringLiteral("%1 %2").arg(icon).arg(text);
    });
    QGuiApplication::clipboard()->clear();
}

void TestTransmitBuffer::cleanup()
{
    delete m_buffer;
    delete m_pane;
    delete m_dialogs;
    delete m_engine;
}

void TestTransmitBuffer::typedKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<int>("beeps");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A"
                            << QStringList{"fnSendTXCharacter(65, 0)"} << "A" << 0;
    QTest::newRow("Ctrl+C: back to reception, nothing in the pane")
        << int(Qt::Key_C) << ctrl << "" << QStringList{"fnSendTXCharacter(1, 1)"} << "" << 0;
    QTest::newRow("Ctrl+C as the platform's control character")
        << int(Qt::Key_C) << ctrl << "\x03" << QStringList{"fnSendTXCharacter(1, 1)"} << "" << 0;
    QTest::newRow("Tab: CW identification, a tab in the pane")
        << int(Qt::Key_Tab) << none << "\t" << QStringList{"fnSendTXCharacter(2, 1)"} << "\t" << 0;
    QTest::newRow("Ctrl+V sends 22; the pasted text is not sent")
        << int(Qt::Key_V) << ctrl << "" << QStringList{"fnSendTXCharacter(22, 0)"} << "on the clipboard" << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r"
                           << QStringList{"fnSendTXCharacter(13, 0)"} << "\n" << 0;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b"
                               << QStringList{"fnSendTXCharacter(8, 0)"} << "" << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b"
                            << QStringList{"fnSendTXCharacter(27, 0)"} << "" << 0;
    QTest::newRow("Delete is editing only") << int(Qt::Key_Delete) << none << "\x7f" << QStringList{} << "" << 0;
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << "" << QStringList{} << "" << 0;
    QTest::newRow("e acute is byte 233") << int(Qt::Key_Eacute) << none << QString::fromUtf8("é")
                                         << QStringList{"fnSendTXCharacter(233, 0)"} << QString::fromUtf8("é") << 0;
    QTest::newRow("euro is byte 128") << 0 << none << QString::fromUtf8("€")
                                      << QStringList{"fnSendTXCharacter(128, 0)"} << QString::fromUtf8("€") << 0;
    QTest::newRow("no Windows-1252 byte: a beep, nothing sent")
        << 0 << none << QString::fromUtf8("ł") << QStringList{} << QString::fromUtf8("ł") << 1;
}

void TestTransmitBuffer::typedKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QStringList, calls);
    QFETCH(QString, pane);
    QFETCH(int, beeps);

    QGuiApplication::clipboard()->setText("on the clipboard");
    const auto mods = Qt::KeyboardModifiers(modifiers);
    if (text.isEmpty()) {
        QTest::keyClick(m_pane, Qt::Key(key), mods);
    } else {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QCoreApplication::sendEvent(m_pane, &press);
    }
    QCOMPARE(m_engine->calls(), calls);
    QCOMPARE(m_pane->toPlainText(), pane);
    QCOMPARE(m_dialogs->beeps(), beeps);
}

void TestTransmitBuffer::composedCharactersAreSent()
{
    QInputMethodEvent compose;
    compose.setCommitString(QString::fromUtf8("êŵ"));
    QCoreApplication::sendEvent(m_pane, &compose);
    QCOMPARE(m_engine->calls(), QStringList{"fnSendTXCharacter(234, 0)"});
    QCOMPARE(m_dialogs->beeps(), 1);
    QCOMPARE(m_pane->toPlainText(), QString::fromUtf8("êŵ"));
}

void TestTransmitBuffer::pendingEventsRunBeforeEachCharacter()
{
    PendingEvent pending(*m_engine);
    QCoreApplication::postEvent(&pending, new QEvent(QEvent::User));
    QTest::keyClick(m_pane, Qt::Key_K);
    QCOMPARE(m_engine->calls(), (QStringList{"fnGetTXCharsRemaining()", "fnSendTXCharacter(107, 0)"}));
}

void TestTransmitBuffer::typingWhileDisconnected()
{
    m_flags.CardActive = false;
    m_pane->setPlainText("earlier text");
    m_pane->moveCursor(QTextCursor::End);
    QTest::keyClick(m_pane, Qt::Key_X);
    QVERIFY(m_engine->calls().isEmpty());
    QCOMPARE(m_dialogs->beeps(), 1);
    QCOMPARE(m_notices, QStringList{QString::fromUtf8("0 Erreur ! La carte son n'est pas activée...")});
    // The pane was emptied, then its editing inserted the key.
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("x"));
}

void TestTransmitBuffer::pasteDropsControlCodes()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("AB\r\nC\tD"));
    m_buffer->PastetoTXClick();
    QCOMPARE(m_engine->calls(), (QStringList{"fnSendTXCharacter(65, 0)", "fnSendTXCharacter(66, 0)",
                                             "fnSendTXCharacter(13, 0)", "fnSendTXCharacter(67, 0)",
                                             "fnSendTXCharacter(68, 0)"}));
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("AB\nCD"));
    QCOMPARE(m_pane->blockCount(), 2);
}

void TestTransmitBuffer::pasteNothing()
{
    m_buffer->PastetoTXClick();
    QVERIFY(m_engine->calls().isEmpty());
    QVERIFY(m_pane->toPlainText().isEmpty());
}

void TestTransmitBuffer::clearEmptiesQueueAndPane()
{
    m_pane->setPlainText("queued text");
    m_buffer->ClearTXBuf->trigger();
    QCOMPARE(m_engine->calls(), QStringList{"fnClearTXBuffer()"});
    QVERIFY(m_pane->toPlainText().isEmpty());
}

void TestTransmitBuffer::pasteEnabledByTheClipboard()
{
    QCOMPARE(m_buffer->TxBufPopup->actions().size(), 4);
    QCOMPARE(m_buffer->ClearTXBuf->text(), QStringLiteral("Vider"));
    QCOMPARE(m_buffer->PastetoTX->text(), QStringLiteral("Coller"));
    m_buffer->TxBufPopupPopup();
    QVERIFY(!m_buffer->PastetoTX->isEnabled());
    QGuiApplication::clipboard()->setText("x");
    m_buffer->TxBufPopupPopup();
    QVERIFY(m_buffer->PastetoTX->isEnabled());
}

QTEST_MAIN(TestTransmitBuffer)
#include "tst_transmitbuffer.moc"
