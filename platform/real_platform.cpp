#include "platform/real_platform.h"

#include "platform/audio.h"
#include "platform/data_paths.h"
#include "platform/event_pump.h"
#include "platform/pictures.h"
#include "platform/random_source.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/trace.h"

#include <QDir>
#include <QRegularExpression>
#include <QSysInfo>

#include <utility>

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The data roots as absolute paths, for messages that say where a file was looked for.
QString lookedIn(const QStringList &roots)
{
    QStringList absolute;
    for (const QString &root : roots)
        absolute << QDir::cleanPath(QDir(root).absolutePath());
    absolute.removeDuplicates();
    return absolute.join(QStringLiteral(", "));
}

} // namespace

RealPlatform::RealPlatform(const QStringList &dataRoots, const QString &voice)
    : m_paths(std::make_unique<DataPaths>(dataRoots)),
      m_audio(std::make_unique<Audio>()),
      m_shell(std::make_unique<Shell>()),
      m_random(std::make_unique<RandomSource>()),
      m_events(std::make_unique<EventPump>())
{
    m_voice = voice.isEmpty() ? defaultVoice() : voice;
    qCDebug(lcPlatform).noquote() << QStringLiteral("voice ") + m_voice;
}

// What the window's first frame does not need starts with its first pause (or the first text):
// the speech thread, which loads the voice (a library of some MB), and the decoding of the sounds.
// While the window is being made they would take the processors it needs.
void RealPlatform::startBackgroundWork()
{
    if (std::exchange(m_backgroundStarted, true))
        return;
    speech();
    preloadSounds();
}

Speech &RealPlatform::speech()
{
    if (!m_speech) {
        Audio *audio = m_audio.get();
        m_speech = std::make_unique<Speech>(
            [audio](const std::int16_t *samples, std::size_t count, int rate, bool endOfText) {
                audio->speechPcm(samples, count, rate, endOfText);
            },
            m_voice);
        // The audio device does not sleep while speech is queued or being made.
        m_audio->setSpeechBusy([speech = m_speech.get()] { return speech->busy(); });
    }
    return *m_speech;
}

RealPlatform::~RealPlatform()
{
    m_audio->setSpeechBusy({});
    m_speech.reset();
}

QStringList RealPlatform::checkDataFolders()
{
    m_missingFolders.clear();
    for (const QString &folder : {QStringLiteral("animals"), QStringLiteral("sounds")}) {
        if (m_paths->resolveDir(folder).isEmpty())
            m_missingFolders << folder;
    }
    if (!m_missingFolders.isEmpty()) {
        const QString missing = m_missingFolders.size() == 1
                                    ? QStringLiteral("no \"%1\" folder").arg(m_missingFolders.first())
                                    : QStringLiteral("no \"animals\" and no \"sounds\" folder");
        qWarning("Zubiko: %s found (looked in %s); running without them", qUtf8Printable(missing),
                 qUtf8Printable(lookedIn(m_paths->roots())));
    }
    return m_missingFolders;
}

void RealPlatform::waitForPreload()
{
    startBackgroundWork();
    m_audio->waitForPreload();
}

void RealPlatform::warnOnce(const QString &key, const QString &message)
{
    if (m_warned.contains(key))
        return;
    m_warned.insert(key);
    qWarning("%s", qUtf8Printable(message));
}

bool RealPlatform::inMissingFolder(const QString &relative) const
{
    const QString folder = QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/')).section(QLatin1Char('/'), 0, 0,
                                                                                                   QString::SectionSkipEmpty);
    return m_missingFolders.contains(folder, Qt::CaseInsensitive);
}

void RealPlatform::preloadSounds()
{
    if (!m_soundsFolder.isEmpty())
        return;
    m_soundsFolder = m_paths->resolveDir(QStringLiteral("sounds"));
    if (m_soundsFolder.isEmpty())
        return;
    QStringList files;
    const QDir folder(m_soundsFolder);
    for (const QString &name : folder.entryList({QStringLiteral("*.wav"), QStringLiteral("*.WAV")}, QDir::Files))
        files << folder.absoluteFilePath(name);
    files.removeDuplicates();
    m_audio->preload(files);
}

void RealPlatform::speak(const QString &text)
{
    qCDebug(lcPlatform).noquote() << QStringLiteral("speak ") + quoted(text);
    // Speech without a device is dropped: look for one that has come back first.
    m_audio->checkDevice();
    speech().speak(text);
}

void RealPlatform::playSound(const QString &path)
{
    const QString asked = QStringLiteral("playSound ") + quoted(path) + QStringLiteral(" -> ");
    if (path.isEmpty()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("silence (no file named)");
        m_audio->stopSound();
        return;
    }
    const QString file = m_paths->resolveFile(path);
    if (file.isEmpty()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("default sound (not found)");
        if (!inMissingFolder(path))
            warnOnce(QStringLiteral("sound:") + path,
                     QStringLiteral("Zubiko: sound %1 not found (looked in %2); the default sound plays in its place")
                         .arg(path, lookedIn(m_paths->roots())));
        m_audio->playDefault();
        return;
    }
    QString why;
    if (m_audio->playFile(file, &why))
        qCDebug(lcPlatform).noquote() << asked + file;
    else
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("default sound (%1: %2)").arg(file, why);
}

QPixmap RealPlatform::loadPicture(const QString &path)
{
    const QString asked = QStringLiteral("loadPicture ") + quoted(path) + QStringLiteral(" -> ");
    const QString file = m_paths->resolveFile(path);
    if (file.isEmpty()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("no picture (not found)");
        if (!inMissingFolder(path))
            warnOnce(QStringLiteral("picture:") + path, QStringLiteral("Zubiko: picture %1 not found (looked in %2)")
                                                            .arg(path, lookedIn(m_paths->roots())));
        return {};
    }
    QString why;
    QString note;
    const QImage image = Pictures::read(file, &why, &note);
    if (image.isNull()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("no picture (%1: %2)").arg(file, why);
        warnOnce(QStringLiteral("picture:") + file, QStringLiteral("Zubiko: picture %1 %2; no picture shown").arg(file, why));
        return {};
    }
    qCDebug(lcPlatform).noquote() << asked + file;
    if (!note.isEmpty())
        warnOnce(QStringLiteral("picture:") + file, QStringLiteral("Zubiko: picture %1 %2; shown all the same").arg(file, note));
    return QPixmap::fromImage(image);
}

void RealPlatform::openExternal(const QString &target)
{
    const QString done = m_shell->execute(target);
    qCDebug(lcPlatform).noquote() << QStringLiteral("openExternal ") + quoted(target) + QStringLiteral(" -> ") + done;
}

void RealPlatform::processEventsOnce()
{
    startBackgroundWork();
    m_events->pass();
}

QDateTime RealPlatform::now()
{
    return QDateTime::currentDateTime();
}

QString RealPlatform::osVersion()
{
    static const QRegularExpression majorMinor(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const QString kernel = QSysInfo::kernelVersion();
    const QRegularExpressionMatch match = majorMinor.match(kernel);
    const QString version = match.hasMatch() ? match.captured(1) + QLatin1Char('.') + match.captured(2) : QString();
    qCDebug(lcPlatform).noquote() << QStringLiteral("osVersion -> ") + quoted(version);
    return version;
}

void RealPlatform::reseedRandom()
{
    m_random->randomize();
}

float RealPlatform::nextRandom()
{
    return m_random->next();
}
