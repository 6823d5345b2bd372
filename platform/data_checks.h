#pragma once

#include <QString>

#include <cstdint>

// Checks of a data file before a library is let loose on it, so that a half-copied or mistaken
// data folder gives a clear reason and never blocks, crashes or allocates without bound. Each
// returns an empty string when the file may be decoded, otherwise why not (a phrase that follows
// the file's name: "is empty", "is MP3 audio, not a WAV file").
namespace DataChecks {

// A sound may play for at most this long; a longer one is refused before it is decoded.
constexpr double MaxSoundSeconds = 30.0;
// No data file the program reads is anywhere near this big.
constexpr std::int64_t MaxFileBytes = 64LL * 1024 * 1024;

// The file exists, is a regular file (not a folder, pipe, socket or device: a pipe would block the
// reader), can be read, is not empty and not bigger than MaxFileBytes.
QString fileProblem(const QString &path);

// The file is a RIFF WAVE file whose header holds together: a format chunk with 1 to 8 channels at
// 1 kHz to 384 kHz, a data chunk no bigger than what the file holds, and no more than
// MaxSoundSeconds of sound. Reads the chunk headers only.
QString wavProblem(const QString &path);

} // namespace DataChecks
