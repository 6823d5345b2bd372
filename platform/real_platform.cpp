#include "platform/real_platform.h"

#include "platform/audio.h"
#include "platform/data_paths.h"
#include "platform/espeak_speech.h"
#include "platform/event_pump.h"
#include "platform/pictures.h"
#include "platform/random_source.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/trace.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QSysInfo>

#include <malloc.h>

#include <chrono>
#include <utility>

namespace {

qint64 steadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The recording without the silence before and after the voice (samples of at most -60 dBFS).
AudioDecoding::Clip trimmed(const AudioDecoding::Clip &clip)
{
    constexpr int Quiet = 33;
    const std::vector<std::int16_t> &s = *clip;
    auto loud = [&](std::size_t frame) {
        return std::abs(s[frame * AudioDecoding::Channels]) > Quiet || std::abs(s[frame * AudioDecoding::Channels + 1]) > Quiet;
    };
    const std::size_t frames = s.size() / AudioDecoding::Channels;
    std::size_t first = 0, end = frames;
    while (first < end && !loud(first))
        ++first;
    while (end > first && !loud(end - 1))
        --end;
    if (first == 0 && end == frames)
        return clip;
    return std::make_shared<const std::vector<std::int16_t>>(s.begin() + static_cast<std::ptrdiff_t>(first * AudioDecoding::Channels),
                                                             s.begin() + static_cast<std::ptrdiff_t>(end * AudioDecoding::Channels));
}

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
    // Pictures, decoded sounds and speech come in blocks of hundreds of kB, each freed again a
    // moment later. With a fixed threshold such blocks are mapped of their own and given back
    // when freed; by default the threshold rises to the largest block freed, and blocks that size
    // are then taken from the heap, which keeps its highest level for good (some MB more after a
    // round of the thirty animals).
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
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
    if (m_language == QLatin1String("en"))
        speech();
    else
        espeak();
    preloadSounds();
}

namespace {
// Either voice streams what it makes into the mixer's speech channel.
Speech::Sink speechInto(Audio *audio)
{
    return [audio](const std::int16_t *samples, std::size_t count, int rate, bool endOfText) {
        audio->speechPcm(samples, count, rate, endOfText);
    };
}
} // namespace

Speech &RealPlatform::speech()
{
    if (!m_speech) {
        m_speech = std::make_unique<Speech>(speechInto(m_audio.get()), m_voice);
        // The audio device does not sleep while speech is queued or being made.
        m_audio->setSpeechBusy([speech = m_speech.get()] { return speech->busy(); });
    }
    return *m_speech;
}

EspeakSpeech &RealPlatform::espeak()
{
    if (!m_espeak) {
        m_espeak = std::make_unique<EspeakSpeech>(speechInto(m_audio.get()), m_language);
        m_audio->setSpeechBusy([speech = m_espeak.get()] { return speech->busy(); });
        m_espeak->setRecordingHandedOver([this] {
            m_nameHeardBy = steadyMilliseconds() + static_cast<qint64>(m_audio->speechQueuedSeconds() * 1000.0);
            --m_namesToHandOver;
        });
    }
    return *m_espeak;
}

RealPlatform::~RealPlatform()
{
    m_audio->setSpeechBusy({});
    m_speech.reset();
    m_espeak.reset();
}

void RealPlatform::setLanguage(const QString &code)
{
    m_language = code;
}

QString RealPlatform::voicesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zubiko/voices");
}

AudioDecoding::Clip RealPlatform::recording(const QString &key, QString *file)
{
    // The parent's folder is looked in as it is; the data folders through the data paths.
    QStringList candidates;
    for (const QString &suffix : {QStringLiteral(".ogg"), QStringLiteral(".wav")}) {
        const QString own = voicesFolder() + QLatin1Char('/') + m_language + QLatin1Char('/') + key + suffix;
        if (QFileInfo::exists(own))
            candidates << own;
    }
    for (const QString &suffix : {QStringLiteral(".ogg"), QStringLiteral(".wav")}) {
        const QString shipped = m_paths->resolveFile(QStringLiteral("voices\\%1\\%2%3").arg(m_language, key, suffix));
        if (!shipped.isEmpty())
            candidates << shipped;
    }
    for (const QString &candidate : candidates) {
        // Each file is decoded once until it changes; one refused is not tried again meanwhile.
        const QString version = candidate + QLatin1Char('@') + QString::number(QFileInfo(candidate).lastModified().toMSecsSinceEpoch());
        if (const auto kept = m_recordings.constFind(version); kept != m_recordings.constEnd()) {
            if (!*kept)
                continue;
            *file = candidate;
            return *kept;
        }
        QString why;
        AudioDecoding::Clip clip = AudioDecoding::decodeFile(candidate, &why);
        if (clip)
            clip = trimmed(clip);
        if (clip && clip->empty())
            why = QStringLiteral("is silent");
        if (clip && !clip->empty()) {
            m_recordings.insert(version, clip);
            *file = candidate;
            return clip;
        }
        m_recordings.insert(version, nullptr);
        warnOnce(QStringLiteral("voice:") + candidate,
                 QStringLiteral("Zubiko: recording %1 %2; the usual voice says the name").arg(candidate, why));
    }
    return {};
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
    // Speech without a device is dropped: look for one that has come back first.
    m_audio->checkDevice();
    if (m_language == QLatin1String("en")) {
        qCDebug(lcPlatform).noquote() << QStringLiteral("speak ") + quoted(text);
        speech().speak(text);
        return;
    }
    EspeakSpeech &voice = espeak();
    voice.waitUntilReady();
    qCDebug(lcPlatform).noquote() << QStringLiteral("speak ") + quoted(text) + QStringLiteral(" -> espeak-ng ")
                                         + (voice.voiceName().isEmpty() ? QStringLiteral("(none)") : voice.voiceName());
    voice.speak(text);
}

void RealPlatform::speakName(const QString &key, const QString &name)
{
    QString file;
    const AudioDecoding::Clip clip = m_language == QLatin1String("en") ? nullptr : recording(key, &file);
    if (!clip) {
        speak(name);
        return;
    }
    m_audio->checkDevice();
    const double seconds = static_cast<double>(clip->size()) / AudioDecoding::Channels / AudioDecoding::SampleRate;
    qCDebug(lcPlatform).noquote() << QStringLiteral("speakName %1 -> %2 (%3 s)")
                                         .arg(quoted(name), file, QString::number(seconds, 'f', 2));
    ++m_namesToHandOver;
    espeak().play(clip);
}

qint64 RealPlatform::nameStillHeard() const
{
    if (m_namesToHandOver > 0)
        return 20; // not yet handed over: look again soon
    return std::max<qint64>(0, m_nameHeardBy - steadyMilliseconds());
}

void RealPlatform::playSound(const QString &path)
{
    // The sound that was playing stops at once; this one starts once the name has been heard.
    if (const qint64 wait = nameStillHeard(); wait > 0) {
        m_audio->stopSound();
        m_heldSound = path;
        if (!m_heldSoundTimer) {
            m_heldSoundTimer = std::make_unique<QTimer>();
            m_heldSoundTimer->setSingleShot(true);
            m_heldSoundTimer->callOnTimeout([this] { playSound(m_heldSound); });
        }
        qCDebug(lcPlatform).noquote() << QStringLiteral("sound %1 held %2 ms for the name").arg(quoted(path)).arg(wait);
        m_heldSoundTimer->start(static_cast<int>(wait));
        return;
    }
    if (m_heldSoundTimer)
        m_heldSoundTimer->stop();
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

void RealPlatform::readPictureAhead(const QString &path)
{
    const QString file = m_paths->resolveFile(path);
    if (file.isEmpty())
        return; // loadPicture says so
    m_pictureAheadPath = path;
    m_pictureAhead = std::async(std::launch::async, readPicture, file);
}

RealPlatform::PictureRead RealPlatform::readPicture(const QString &file)
{
    PictureRead read{file, {}, {}, {}};
    read.image = Pictures::read(file, &read.why, &read.note);
    return read;
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
    PictureRead read;
    if (m_pictureAhead.valid() && path == m_pictureAheadPath)
        read = m_pictureAhead.get();
    if (read.file != file) // not read ahead, or the file found now is another one
        read = readPicture(file);
    const QImage &image = read.image;
    const QString &why = read.why;
    const QString &note = read.note;
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
