// A sound file: the checks, then SDL's decoding into the mixing format.
#include "fuzz.h"
#include "platform/audio_decoding.h"
#include "platform/data_checks.h"

#include <QFile>
#include <QTemporaryDir>

FUZZ_WITHOUT_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("owl.wav"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(fuzzInput(data, size)) == qint64(size));
    file.close();
    const bool checked = DataChecks::fileProblem(path).isEmpty() && DataChecks::wavProblem(path).isEmpty();
    QString why;
    const AudioDecoding::Clip clip = AudioDecoding::decodeFile(path, &why);
    FUZZ_CHECK(checked || !clip);
    FUZZ_CHECK(clip || !why.isEmpty());
    // No more than the longest sound, with the converter's padding.
    if (clip)
        FUZZ_CHECK(clip->size() <= std::size_t((DataChecks::kMaxSoundSeconds + 0.1) * 48000 * 2));
    return 0;
}
