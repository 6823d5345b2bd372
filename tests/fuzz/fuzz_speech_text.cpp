// A text made ready for the voice: no run of commas is left, and preparing it again changes nothing.
#include "fuzz.h"
#include "platform/speech.h"

#include <QRegularExpression>

FUZZ_WITHOUT_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString ready = Speech::prepared(QString::fromUtf8(fuzzInput(data, size)));
    static const QRegularExpression commaRun(QStringLiteral(",\\s*,"), QRegularExpression::UseUnicodePropertiesOption);
    FUZZ_CHECK(!ready.contains(commaRun));
    FUZZ_CHECK(ready == ready.trimmed() || ready == QStringLiteral(", "));
    FUZZ_CHECK(Speech::prepared(ready) == ready);
    return 0;
}
