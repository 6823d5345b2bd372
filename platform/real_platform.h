#pragma once

#include "platform/platform.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <vector>

class Audio;
class DataPaths;
class EspeakSpeech;
class QTimer;
class EventPump;
class RandomSource;
class Shell;
class Speech;

// The platform on a Linux desktop: flite speech and SDL2 audio mixed on one device, pictures
// through Qt, web hosts and programs through the desktop. Create it after the QApplication.
class RealPlatform : public Platform
{
public:
    // `dataRoots`: where the program's relative data paths ("sounds\duck.wav") are looked for,
    // in order; the working directory by default. `voice`: one of voiceNames(), empty for
    // the default one. The voice is loaded, and the sounds of the first "sounds" folder found are
    // decoded, in the background from the first event pass on (or the first text spoken).
    explicit RealPlatform(const QStringList &dataRoots = {QStringLiteral(".")},
                          const QString &voice = QString());
    ~RealPlatform() override;

    // Call once the data roots are all set: when no root holds an "animals" or a "sounds" folder,
    // says so in one warning that names the folders missing and where they were looked for
    // (absolute paths). Returns the folders missing ("animals", "sounds"); files asked for in
    // those folders are then not warned about one by one.
    QStringList checkDataFolders();

    // The language spoken: "en" (flite, the default) or a language code as QLocale names it
    // ("fr"), spoken by espeak-ng, with names played from recordings where there are some:
    // the parent's own (voicesFolder()/<code>/<key>.ogg or .wav) first, then the data folders'
    // (voices\<code>\<key>.ogg or .wav). Set it before the first text is spoken.
    void setLanguage(const QString &code);
    // The parent's recordings: $XDG_DATA_HOME/zubiko/voices.
    static QString voicesFolder();

    // Starts reading the picture `path` on a thread of its own, so that the loadPicture of the
    // same path that follows finds it read: the window's first picture is decoded while the
    // window is being made.
    void readPictureAhead(const QString &path);

    // Starts the background work if it has not begun, and waits until the decoding of the
    // sounds folder has finished (for tests).
    void waitForPreload();

    void speak(const QString &text) override;
    void speakName(const QString &key, const QString &name) override;
    void playSound(const QString &path) override;
    QPixmap loadPicture(const QString &path) override;
    void openExternal(const QString &target) override;
    void processEventsOnce() override;
    QDateTime now() override;
    QString osVersion() override;
    void reseedRandom() override;
    float nextRandom() override;

private:
    void preloadSounds();
    void startBackgroundWork();
    Speech &speech();
    EspeakSpeech &espeak();
    // The recording of the name `key` in the language, decoded, or null.
    std::shared_ptr<const std::vector<std::int16_t>> recording(const QString &key, QString *file);
    // One warning per key (a file, or a file's problem) in the life of the platform.
    void warnOnce(const QString &key, const QString &message);
    // How long a recorded name handed to the speech channel is still heard, in milliseconds.
    qint64 nameStillHeard() const;
    // Whether `relative` lies in a data folder checkDataFolders found missing.
    bool inMissingFolder(const QString &relative) const;

    // Destroyed bottom up: speech (which feeds the audio) goes before the audio.
    std::unique_ptr<DataPaths> m_paths;
    std::unique_ptr<Audio> m_audio;
    std::unique_ptr<Speech> m_speech;
    std::unique_ptr<EspeakSpeech> m_espeak;
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<EventPump> m_events;
    QString m_voice;
    QString m_language = QStringLiteral("en");
    bool m_backgroundStarted = false;
    QString m_soundsFolder;
    QSet<QString> m_warned;
    QStringList m_missingFolders;
    // Recordings decoded, or refused (null), by file and time of change.
    QHash<QString, std::shared_ptr<const std::vector<std::int16_t>>> m_recordings;
    // A recorded name can last longer than the window's pause before the sound: the sound asked
    // for meanwhile is held until the name has been heard.
    std::atomic<int> m_namesToHandOver{0};
    std::atomic<qint64> m_nameHeardBy{0}; // steady clock, milliseconds
    QString m_heldSound;
    std::unique_ptr<QTimer> m_heldSoundTimer;
    // The picture readPictureAhead is reading: the path asked for, and the file and its outcome.
    struct PictureRead
    {
        QString file;
        QImage image;
        QString why;
        QString note;
    };
    static PictureRead readPicture(const QString &file);
    QString m_pictureAheadPath;
    std::future<PictureRead> m_pictureAhead;
};
