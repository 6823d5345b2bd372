#pragma once

#include "platform/platform.h"

#include <QSet>
#include <QStringList>

#include <memory>

class Audio;
class DataPaths;
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

    // Starts the background work if it has not begun, and waits until the decoding of the
    // sounds folder has finished (for tests).
    void waitForPreload();

    void speak(const QString &text) override;
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
    // One warning per key (a file, or a file's problem) in the life of the platform.
    void warnOnce(const QString &key, const QString &message);
    // Whether `relative` lies in a data folder checkDataFolders found missing.
    bool inMissingFolder(const QString &relative) const;

    // Destroyed bottom up: speech (which feeds the audio) goes before the audio.
    std::unique_ptr<DataPaths> m_paths;
    std::unique_ptr<Audio> m_audio;
    std::unique_ptr<Speech> m_speech;
    std::unique_ptr<Shell> m_shell;
    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<EventPump> m_events;
    QString m_voice;
    bool m_backgroundStarted = false;
    QString m_soundsFolder;
    QSet<QString> m_warned;
    QStringList m_missingFolders;
};
