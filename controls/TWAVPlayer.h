#pragma once

#include <QObject>
#include <QString>

// The process's one sound channel, as the platform's simple sound service offers
// it: a new sound replaces the one playing. Tests put a recording one in its place.
class WaveOutput
{
public:
    virtual ~WaveOutput() = default;
    virtual int deviceCount() const = 0;
    virtual bool isPlaying() const = 0;
    // The output device of the next sounds, by description; empty = the desktop's default.
    virtual void useDevice(const QString &deviceName) = 0;
    // Starts the file, replacing any sound playing; loop repeats it until the next one.
    virtual void start(const QString &fileName, bool loop) = 0;
    // Plays the file and returns when it has ended.
    virtual void playToEnd(const QString &fileName) = 0;

    // The output in use: the installed one, else Qt Multimedia's.
    static WaveOutput &current();
    // nullptr goes back to Qt Multimedia's; the caller keeps ownership.
    static void install(WaveOutput *output);
};

// Plays one wave file, once, to its end or in a loop. Silent, without any report,
// when the file or an output device is missing.
class TWAVPlayer : public QObject
{
    Q_OBJECT
public:
    enum TSoundType { stAsynchronous, stSynchronous, stLoop, stAsyncNoInt, stSyncNoInt, stLoopNoInt };
    Q_ENUM(TSoundType)

    Q_PROPERTY(QString About READ About WRITE setAbout)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(bool WAVCapable READ WAVCapable WRITE setWAVCapable)
    Q_PROPERTY(TSoundType SoundType READ SoundType WRITE setSoundType)

    explicit TWAVPlayer(QObject *owner = nullptr);

    QString About() const { return m_about; }
    QString FileName() const { return m_fileName; }
    bool WAVCapable() const { return m_wavCapable; }
    TSoundType SoundType() const { return m_soundType; }

    void setAbout(const QString &about) { m_about = about; }
    void setFileName(const QString &fileName);
    // The value given is ignored: the devices are counted again, and the property
    // becomes true when there is one (a setting never makes it false).
    void setWAVCapable(bool);
    void setSoundType(TSoundType type) { m_soundType = type; }
    // The alerts device chosen in the station settings, used from the next sound on.
    void setDeviceName(const QString &deviceName) { m_deviceName = deviceName; }

    void Play();

private:
    QString m_about;
    QString m_fileName;
    QString m_deviceName;
    bool m_wavCapable = false;
    TSoundType m_soundType = stAsynchronous;
};
