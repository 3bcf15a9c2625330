#include "controls/TWAVPlayer.h"

#include "controls/AlertDevice.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <memory>

namespace {

class QtWaveOutput : public WaveOutput
{
public:
    int deviceCount() const override { return int(QMediaDevices::audioOutputs().size()); }

    bool isPlaying() const override { return m_effect && m_effect->isPlaying(); }

    void useDevice(const QString &deviceName) override { m_deviceName = deviceName; }

    void start(const QString &fileName, bool loop) override
    {
        QSoundEffect &effect = freshEffect(fileName);
        effect.setLoopCount(loop ? QSoundEffect::Infinite : 1);
        effect.play();
    }

    void playToEnd(const QString &fileName) override
    {
        QSoundEffect &effect = freshEffect(fileName);
        effect.setLoopCount(1);
        QEventLoop wait;
        QObject::connect(&effect, &QSoundEffect::playingChanged, &wait, [&] {
            if (!effect.isPlaying())
                wait.quit();
        });
        QObject::connect(&effect, &QSoundEffect::statusChanged, &wait, [&] {
            if (effect.status() == QSoundEffect::Error)
                wait.quit();
        });
        effect.play();
        // The operator's input waits with the caller; the sound needs the loop to run.
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }

private:
    // One effect per sound: the previous one stops when it is replaced.
    QSoundEffect &freshEffect(const QString &fileName)
    {
        m_effect = std::make_unique<QSoundEffect>(alertDevice(m_deviceName, QMediaDevices::audioOutputs()));
        m_effect->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
        return *m_effect;
    }

    std::unique_ptr<QSoundEffect> m_effect;
    QString m_deviceName;
};

WaveOutput *installed = nullptr;

} // namespace

WaveOutput &WaveOutput::current()
{
    static QtWaveOutput qtOutput;
    return installed ? *installed : qtOutput;
}

void WaveOutput::install(WaveOutput *output)
{
    installed = output;
}

TWAVPlayer::TWAVPlayer(QObject *owner)
    : QObject(owner), m_wavCapable(WaveOutput::current().deviceCount() > 0)
{
}

void TWAVPlayer::setFileName(const QString &fileName)
{
    if (fileName != m_fileName)
        m_fileName = fileName;
}

void TWAVPlayer::setWAVCapable(bool)
{
    if (WaveOutput::current().deviceCount() > 0)
        m_wavCapable = true;
}

void TWAVPlayer::Play()
{
    if (!m_wavCapable || !QFileInfo(m_fileName).isFile())
        return;
    WaveOutput &output = WaveOutput::current();
    const bool noInterrupt = m_soundType == stAsyncNoInt || m_soundType == stSyncNoInt
                             || m_soundType == stLoopNoInt;
    if (noInterrupt && output.isPlaying())
        return;
    output.useDevice(m_deviceName);
    switch (m_soundType) {
    case stAsynchronous:
    case stAsyncNoInt:
        output.start(m_fileName, false);
        break;
    case stSynchronous:
    case stSyncNoInt:
        output.playToEnd(m_fileName);
        break;
    case stLoop:
    case stLoopNoInt:
        output.start(m_fileName, true);
        break;
    }
}
