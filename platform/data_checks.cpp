#include "platform/data_checks.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

// What a file that is not a WAV file seems to be, from its first bytes.
QString notWav(const QByteArray &head)
{
    const auto byte = [&head](int i) { return i < head.size() ? static_cast<unsigned char>(head.at(i)) : 0u; };
    if (head.startsWith("ID3") || (byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0))
        return QStringLiteral("is MP3 audio, not a WAV file");
    if (head.startsWith("OggS"))
        return QStringLiteral("is Ogg audio, not a WAV file");
    if (head.startsWith("fLaC"))
        return QStringLiteral("is FLAC audio, not a WAV file");
    if (head.startsWith("RIFF"))
        return QStringLiteral("is a RIFF file of another kind, not a WAV file");
    if (head.startsWith("RF64") || head.startsWith("RIFX"))
        return QStringLiteral("is a WAV variant that is not read (%1)").arg(QString::fromLatin1(head.left(4)));
    bool text = !head.isEmpty();
    for (const char c : head) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\n' && c != '\r' && c != '\t')
            text = false;
    }
    if (text)
        return QStringLiteral("is text, not a WAV file");
    return QStringLiteral("is not a WAV file");
}

std::uint32_t le32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

std::uint16_t le16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + at);
}

// What the chunks of a WAV file say about its sound.
struct WavLayout
{
    bool haveFormat = false;
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    qint64 dataBytes = -1; // -1: no data chunk
};

// Walks the chunks from the one after the RIFF header up to the data chunk: "fmt " before "data",
// every one inside the file. Reads the chunk headers and the format only.
QString walkChunks(QFile &file, WavLayout &wav)
{
    constexpr int MaxChunks = 1000;
    const qint64 size = file.size();
    qint64 at = 12;
    for (int chunk = 0; chunk < MaxChunks; ++chunk) {
        if (at + 8 > size)
            break;
        if (!file.seek(at))
            return QStringLiteral("cannot be read (%1)").arg(file.errorString());
        const QByteArray header = file.read(8);
        if (header.size() < 8)
            return QStringLiteral("cannot be read (%1)").arg(file.errorString());
        const QByteArray id = header.left(4);
        const qint64 length = le32(header, 4);
        const qint64 body = at + 8;
        const qint64 held = size - body;
        if (id == "data") {
            if (!wav.haveFormat)
                return QStringLiteral("has its sound before its format chunk");
            if (length > held)
                return QStringLiteral("is cut short: it declares %1 bytes of sound and holds %2").arg(length).arg(held);
            wav.dataBytes = length;
            break;
        }
        if (length > held)
            return QStringLiteral("is cut short: its \"%1\" chunk runs past the end").arg(QString::fromLatin1(id));
        if (id == "fmt ") {
            if (length < 16)
                return QStringLiteral("has a format chunk of %1 bytes, too short").arg(length);
            const QByteArray format = file.read(16);
            if (format.size() < 16)
                return QStringLiteral("cannot be read (%1)").arg(file.errorString());
            wav.tag = le16(format, 0);
            wav.channels = le16(format, 2);
            wav.rate = le32(format, 4);
            wav.blockAlign = le16(format, 12);
            wav.haveFormat = true;
        }
        at = body + length + (length & 1);
    }
    return {};
}

} // namespace


QString DataChecks::fileProblem(const QString &path)
{
    const QFileInfo info(path); // follows links
    if (!info.exists()) {
        if (info.isSymLink())
            return QStringLiteral("is a link to %1, which does not exist").arg(info.symLinkTarget());
        return QStringLiteral("does not exist");
    }
    if (info.isDir())
        return QStringLiteral("is a folder, not a file");
    if (!info.isFile())
        return QStringLiteral("is not a regular file (a pipe, socket or device)");
    if (!info.isReadable())
        return QStringLiteral("cannot be read (no permission)");
    if (info.size() == 0)
        return QStringLiteral("is empty");
    if (info.size() > MaxFileBytes)
        return QStringLiteral("is %1 MB, far more than a data file may be").arg(info.size() / (1024 * 1024));
    return {};
}

QString DataChecks::wavProblem(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read (%1)").arg(file.errorString());
    const QByteArray head = file.read(64);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return head.size() < 12 && head.startsWith("RIFF") ? QStringLiteral("is cut short: it ends inside its header")
                                                            : notWav(head);
    WavLayout wav;
    if (const QString problem = walkChunks(file, wav); !problem.isEmpty())
        return problem;
    if (!wav.haveFormat)
        return QStringLiteral("has no format chunk");
    if (wav.dataBytes < 0)
        return QStringLiteral("has no sound data");
    if (wav.channels < 1 || wav.channels > 8)
        return QStringLiteral("has %1 channels (1 to 8 are played)").arg(wav.channels);
    if (wav.rate < 1000 || wav.rate > 384000)
        return QStringLiteral("has a sample rate of %1 Hz (1 kHz to 384 kHz are played)").arg(wav.rate);
    if (wav.blockAlign == 0)
        return QStringLiteral("has a format chunk with a block size of 0");
    // PCM and float hold one frame per block; the compressed formats SDL reads (ADPCM, a-law,
    // mu-law) hold at least 4 bits per sample, so at most two samples per byte.
    constexpr std::uint16_t Pcm = 1;
    constexpr std::uint16_t Float = 3;
    constexpr std::uint16_t Extensible = 0xFFFE;
    const qint64 frames = (wav.tag == Pcm || wav.tag == Float || wav.tag == Extensible)
        ? wav.dataBytes / wav.blockAlign
        : wav.dataBytes * 2 / wav.channels;
    const double seconds = static_cast<double>(frames) / wav.rate;
    if (seconds > MaxSoundSeconds)
        return QStringLiteral("would play for %1 s, longer than a sound may (%2 s)")
            .arg(seconds, 0, 'f', 1)
            .arg(MaxSoundSeconds);
    return {};
}
