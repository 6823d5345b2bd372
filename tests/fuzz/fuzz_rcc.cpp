// A Qt resource file as the data generator reads it: checked, listed, every entry read.
#include "fuzz.h"
#include "rcc_reader.h"

FUZZ_WITH_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const RccReader rcc(fuzzInput(data, size));
    const QStringList entries = rcc.entries();
    FUZZ_CHECK(rcc.problem().isEmpty() || entries.isEmpty());
    for (const QString &entry : entries.mid(0, 50)) {
        QByteArray bytes;
        QString why;
        FUZZ_CHECK(rcc.read(entry, &bytes, &why) != bytes.isEmpty());
        FUZZ_CHECK(bytes.size() <= RccReader::kMaxEntryBytes);
    }
    return 0;
}
