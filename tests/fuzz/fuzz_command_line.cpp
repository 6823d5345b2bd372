// The command line: the input's NUL-separated words after the program's name.
#include "command_line.h"
#include "fuzz.h"
#include "platform/speech.h"

FUZZ_WITHOUT_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringList arguments{QStringLiteral("zubiko")};
    for (const QByteArray &word : fuzzInput(data, size).split('\0'))
        arguments << QString::fromLocal8Bit(word);
    const CommandLine line = readCommandLine(arguments);
    switch (line.action) {
    case CommandLine::Run:
        FUZZ_CHECK(Speech::voices().contains(line.voice) && line.text.isEmpty());
        break;
    case CommandLine::Help:
        FUZZ_CHECK(line.text.startsWith(QStringLiteral("Usage: zubiko")));
        break;
    case CommandLine::Error:
        FUZZ_CHECK(line.text.startsWith(QStringLiteral("zubiko: ")) && !line.text.contains(QLatin1Char('\n')));
        break;
    }
    return 0;
}
