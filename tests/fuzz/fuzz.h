#pragma once
// What the fuzz targets share: the input as bytes, and a check that aborts (a crash to libFuzzer).
#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);   \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)

inline QByteArray fuzzInput(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A QCoreApplication for the whole run (Qt's image plugins and resources look for one).
#define FUZZ_WITH_APPLICATION                                                                    \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)                                 \
    {                                                                                            \
        static QCoreApplication application(*argc, *argv);                                       \
        return 0;                                                                                \
    }
#define FUZZ_WITHOUT_APPLICATION                                                                 \
    extern "C" int LLVMFuzzerInitialize(int *, char ***) { return 0; }
