// The program on the real engine, with WAV files in place of the sound card: two PSK31 signals made with
// our own modulator are decoded into the two panes, and a transmission written to a WAV file reads back
// as the queued text.

#include "app/TPSKForm.h"
#include "controls/TSpinEdit.h"
#include "engine/EngineMessage.h"
#include "engine/EngineSelection.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/WavFile.h"

#include <pskcore/dsp/ChannelDemodulator.h>
#include <pskcore/dsp/Modulator.h>
#include <pskcore/pskcore.h>
#include <pskcore/seams.h>

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <sndfile.h>

#include <mutex>
#include <random>

namespace {

constexpr int kRate = 8000;

// Two stations a few hertz off the channels' start-up frequencies (1550 and 2050 Hz), so that the
// receive fields must follow them.
const QString kTextOne = QStringLiteral("CQ CQ de F4DXK F4DXK pse k");
const QString kTextTwo = QStringLiteral("DL2MSK de EA3GHZ ur 579 tnx");
constexpr double kFreqOne = 1556;
constexpr double kFreqTwo = 2044;

std::vector<float> modulate(const QString &text, double freqHz, double levelDb)
{
    pskcore::Modulator modulator;
    modulator.setFrequency(freqHz);
    modulator.setLevelDb(levelDb);
    for (const QChar c : text)
        modulator.queueChar(static_cast<uint8_t>(c.toLatin1()));
    modulator.requestReturnToReceive();
    modulator.startText();
    std::vector<float> audio;
    std::vector<float> block(1024);
    std::size_t made;
    do {
        made = modulator.render(block);
        audio.insert(audio.end(), block.begin(), block.begin() + std::ptrdiff_t(made));
    } while (made == block.size());
    return audio;
}

bool writeWav(const QString &path, const std::vector<float> &samples)
{
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return true;
}

// Keeps every engine message that reaches it, as the main window would receive them.
class MessageCatcher : public QObject
{
public:
    struct Message
    {
        int32_t message, wParam, lParam;
    };
    QList<Message> messages;

    QList<int32_t> statuses() const
    {
        QList<int32_t> codes;
        for (const Message &m : messages)
            if (m.message == EngineMessage::TxStatus)
                codes << m.wParam;
        return codes;
    }
    QString sent() const
    {
        QString text;
        for (const Message &m : messages)
            if (m.message == EngineMessage::Character && m.lParam == 2)
                text += QChar(m.wParam);
        return text;
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != EngineMessageEvent::eventType())
            return QObject::event(e);
        const auto *m = static_cast<EngineMessageEvent *>(e);
        messages << Message{m->message(), m->wParam(), m->lParam()};
        return true;
    }
};

// PTT lines that say whether they are up, on one pretend port.
class WatchedLines : public pskcore::ModemLines
{
public:
    bool up() const
    {
        std::lock_guard lock(m_mutex);
        return m_up;
    }
    std::vector<std::string> ports() override { return {"/dev/ttyS0"}; }
    bool open(const std::string &) override { return true; }
    bool set(bool rts, bool dtr) override
    {
        std::lock_guard lock(m_mutex);
        m_up = rts || dtr;
        return true;
    }
    bool close() override { return set(false, false); }

private:
    mutable std::mutex m_mutex;
    bool m_up = false;
};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void twoSignalsReachTheTwoPanes();
    void aTransmissionReadsBackFromItsWavFile();
    void theOperatorTransmitsFromTheWindow();
    void stoppingMidTransmissionEndsTheKeyingAtOnce();

private:
    void queue(EngineInterface &engine, const QString &text);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

void TestEndToEnd::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void TestEndToEnd::cleanup()
{
    fnStopSoundCard();
    pskcore::setModemLinesSeam(nullptr);
    m_dialogs.reset();
    m_dir.reset();
}

void TestEndToEnd::queue(EngineInterface &engine, const QString &text)
{
    for (const QChar c : text)
        engine.fnSendTXCharacter(c.toLatin1(), 0);
}

void TestEndToEnd::twoSignalsReachTheTwoPanes()
{
    // The recording: half a second of band noise, then both stations at once, then noise again.
    const auto one = modulate(kTextOne, kFreqOne, -14);
    const auto two = modulate(kTextTwo, kFreqTwo, -18);
    const std::size_t lead = kRate / 2;
    std::vector<float> band(lead + std::max(one.size(), two.size()) + 2 * kRate);
    std::mt19937 random(3);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    for (float &s : band)
        s = noise(random);
    for (std::size_t n = 0; n < one.size(); ++n)
        band[lead + n] += one[n];
    for (std::size_t n = 0; n < two.size(); ++n)
        band[lead + n] += two[n];
    const QString recording = m_dir->filePath(QStringLiteral("deux-stations.wav"));
    QVERIFY(writeWav(recording, band));

    ProgramOptions options;
    options.audioIn = recording;
    options.settingsPath = m_dir->filePath(QStringLiteral("korvo.ini"));
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    form.show();
    QCOMPARE(int(form.RXOne->value()), 1550);
    QCOMPARE(int(form.RXTwo->value()), 2050);

    form.OnBtn->click();
    QVERIFY2(m_dialogs->messages().isEmpty(), qPrintable(m_dialogs->messages().join('\n')));
    QVERIFY(form.flags.CardActive);

    // The recording plays at the sound card's pace: allow it its length and more.
    QTRY_VERIFY_WITH_TIMEOUT(form.TermOne->toPlainText().contains(kTextOne), 40000);
    QTRY_VERIFY_WITH_TIMEOUT(form.TermTwo->toPlainText().contains(kTextTwo), 10000);
    QVERIFY2(!form.TermOne->toPlainText().contains(kTextTwo), qPrintable(form.TermOne->toPlainText()));
    QVERIFY2(!form.TermTwo->toPlainText().contains(kTextOne), qPrintable(form.TermTwo->toPlainText()));
    // The fields followed the stations (AFC), to within a couple of hertz.
    QVERIFY2(qAbs(form.RXOne->value() - kFreqOne) <= 2, qPrintable(QString::number(form.RXOne->value())));
    QVERIFY2(qAbs(form.RXTwo->value() - kFreqTwo) <= 2, qPrintable(QString::number(form.RXTwo->value())));

    form.OnBtn->click();
    QVERIFY(!form.flags.CardActive);
}

void TestEndToEnd::aTransmissionReadsBackFromItsWavFile()
{
    ProgramOptions options;
    options.demo = true;
    options.audioOut = m_dir->filePath(QStringLiteral("emission.wav"));
    const EngineChoice choice = selectEngine(options);
    EngineInterface &engine = *choice.engine;
    MessageCatcher window;

    QCOMPARE(engine.fnStartSoundCard(&window, -1, 2), 0);
    const QString text = QStringLiteral("CQ CQ de F4ABC k");
    engine.fnSetTXFrequency(1500);
    queue(engine, text); // queued before keying: goes out after the preamble
    engine.fnStartTX(0);
    engine.fnSendTXCharacter(1, 1);
    QTRY_VERIFY_WITH_TIMEOUT(window.statuses().contains(0), 30000);
    QCOMPARE(window.statuses(), (QList<int32_t>{1, 0}));
    QCOMPARE(window.sent(), text);
    QCOMPARE(engine.fnGetTXCharsRemaining(), 0);
    engine.fnStopSoundCard();

    const auto audio = readWav(options.audioOut);
    QVERIFY(audio.size() > std::size_t(kRate) * 2);
    pskcore::ChannelDemodulator demod;
    demod.setFrequency(1500, 10);
    std::string decoded;
    demod.process(audio, decoded);
    QVERIFY2(QString::fromLatin1(decoded).contains(text), decoded.c_str());
}

void TestEndToEnd::theOperatorTransmitsFromTheWindow()
{
    ProgramOptions options;
    options.demo = true;
    options.audioOut = m_dir->filePath(QStringLiteral("operateur.wav"));
    options.settingsPath = m_dir->filePath(QStringLiteral("korvo.ini"));
    const EngineChoice choice = selectEngine(options);
    TPSKForm form(*choice.engine, options.settingsPath);
    form.show();
    form.OnBtn->click();
    QVERIFY(form.flags.CardActive);

    form.TxBtn->click();
    const QString text = QStringLiteral("de F4ABC k");
    QTest::keyClicks(form.TxBuf, text);
    QTRY_VERIFY_WITH_TIMEOUT(form.flags.Transmitting, 10000);
    // What goes on the air shows in the current pane, between the start and end stamps.
    QTRY_VERIFY_WITH_TIMEOUT(form.TermOne->toPlainText().contains(text), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(choice.engine->fnGetTXCharsRemaining(), 0, 5000);
    form.TxBtn->click(); // nothing queued: an orderly end
    QTRY_VERIFY_WITH_TIMEOUT(!form.flags.Transmitting, 20000);
    const QString pane = form.TermOne->toPlainText();
    const auto started = pane.indexOf(QStringLiteral("<Transmission débutée:"));
    const auto ended = pane.indexOf(QStringLiteral("<Transmission stoppée:"));
    QVERIFY2(started >= 0 && started < pane.indexOf(text) && pane.indexOf(text) < ended, qPrintable(pane));
    form.OnBtn->click();

    const auto audio = readWav(options.audioOut);
    pskcore::ChannelDemodulator demod;
    demod.setFrequency(form.TXOne->value(), 10);
    std::string decoded;
    demod.process(audio, decoded);
    QVERIFY2(QString::fromLatin1(decoded).contains(text), decoded.c_str());
}

void TestEndToEnd::stoppingMidTransmissionEndsTheKeyingAtOnce()
{
    auto lines = std::make_shared<WatchedLines>();
    pskcore::setModemLinesSeam(lines);
    ProgramOptions options;
    options.demo = true;
    options.audioOut = m_dir->filePath(QStringLiteral("coupure.wav"));
    const EngineChoice choice = selectEngine(options);
    EngineInterface &engine = *choice.engine;
    QVERIFY(engine.fnSetComPort(1, 3));
    MessageCatcher window;

    QCOMPARE(engine.fnStartSoundCard(&window, -1, 2), 0);
    QVERIFY(!lines->up());
    queue(engine, QStringLiteral("a long text that the operator cuts off in the middle"));
    engine.fnStartTX(0);
    QVERIFY(lines->up());
    QTRY_VERIFY_WITH_TIMEOUT(window.statuses().contains(1), 10000);
    QVERIFY(lines->up());

    // As a disconnect does it: drop the queue, abort, stop.
    engine.fnClearTXBuffer();
    engine.fnAbortTX();
    engine.fnStopSoundCard();
    QVERIFY(!lines->up());
    const qint64 size = QFileInfo(options.audioOut).size();
    QTest::qWait(300);
    QCOMPARE(QFileInfo(options.audioOut).size(), size);
    QVERIFY(window.sent().size() < 5);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
