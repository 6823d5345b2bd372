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

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

RealPlatform::RealPlatform(const QStringList &dataRoots, const QString &speechDataPath)
    : m_paths(std::make_unique<DataPaths>(dataRoots)),
      m_audio(std::make_unique<Audio>()),
      m_shell(std::make_unique<Shell>()),
      m_random(std::make_unique<RandomSource>())
{
    Audio *audio = m_audio.get();
    m_speech = std::make_unique<Speech>(
        [audio](const std::int16_t *samples, std::size_t count, int rate, bool endOfText) {
            audio->speechPcm(samples, count, rate, endOfText);
        },
        speechDataPath);
    preloadSounds();
}

RealPlatform::~RealPlatform()
{
    m_speech.reset();
}

void RealPlatform::appendDataRoot(const QString &root)
{
    m_paths->appendRoot(root);
    preloadSounds();
}

QStringList RealPlatform::dataRoots() const
{
    return m_paths->roots();
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

void RealPlatform::Speak(const QString &text)
{
    qCDebug(lcPlatform).noquote() << QStringLiteral("Speak ") + quoted(text);
    m_speech->speak(text);
}

void RealPlatform::sndPlaySoundA(const QString &path, unsigned flags)
{
    Q_UNUSED(flags) // always asynchronous
    const QString asked = QStringLiteral("sndPlaySoundA ") + quoted(path) + QStringLiteral(" -> ");
    if (path.isEmpty()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("silence (no file named)");
        m_audio->stopSound();
        return;
    }
    const QString file = m_paths->resolveFile(path);
    if (file.isEmpty()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("default sound (not found)");
        m_audio->playDefault();
        return;
    }
    QString why;
    if (m_audio->playFile(file, &why))
        qCDebug(lcPlatform).noquote() << asked + file;
    else
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("default sound (%1: %2)").arg(file, why);
}

QPixmap RealPlatform::LoadPicture(const QString &path)
{
    const QString asked = QStringLiteral("LoadPicture ") + quoted(path) + QStringLiteral(" -> ");
    const QString file = m_paths->resolveFile(path);
    if (file.isEmpty()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("no picture (not found)");
        qWarning("Zubiko: picture %s not found", qUtf8Printable(path));
        return {};
    }
    QString why;
    const QImage image = Pictures::read(file, &why);
    if (image.isNull()) {
        qCDebug(lcPlatform).noquote() << asked + QStringLiteral("no picture (%1: %2)").arg(file, why);
        qWarning("Zubiko: cannot load picture %s (%s)", qUtf8Printable(file), qUtf8Printable(why));
        return {};
    }
    qCDebug(lcPlatform).noquote() << asked + file;
    return QPixmap::fromImage(image);
}

void RealPlatform::ShellExecuteA(const QString &target)
{
    const QString done = m_shell->execute(target);
    qCDebug(lcPlatform).noquote() << QStringLiteral("ShellExecuteA ") + quoted(target) + QStringLiteral(" -> ") + done;
}

void RealPlatform::DoEvents()
{
    EventPump::pass();
}

QDateTime RealPlatform::Now()
{
    return QDateTime::currentDateTime();
}

QString RealPlatform::OsVersion()
{
    static const QRegularExpression majorMinor(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const QString kernel = QSysInfo::kernelVersion();
    const QRegularExpressionMatch match = majorMinor.match(kernel);
    const QString version = match.hasMatch() ? match.captured(1) + QLatin1Char('.') + match.captured(2) : QString();
    qCDebug(lcPlatform).noquote() << QStringLiteral("OsVersion -> ") + quoted(version);
    return version;
}

void RealPlatform::rtcRandomize()
{
    m_random->randomize();
}

float RealPlatform::rtcRandomNext()
{
    return m_random->next();
}
