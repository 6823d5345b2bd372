#pragma once

#include "platform/audio_decoding.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <mutex>

// Sound files decoded once and kept, and the files that could not be decoded with why: a refused
// file is not decoded again until it changes (its size or time of change differs: a file copied
// again is tried again). Each bad file is warned about once. Safe to use from any thread.
class ClipCache
{
public:
    // The decoded sound of `path`, decoded now if it has not been; null when it cannot be decoded,
    // `why` then says why.
    AudioDecoding::Clip clip(const QString &path, QString *why = nullptr);
    bool contains(const QString &path) const;
    // How many decoded files are kept.
    int size() const;

private:
    struct Failure
    {
        QString why;
        qint64 size = 0;
        QDateTime modified;
    };
    mutable std::mutex m_mutex;
    QHash<QString, AudioDecoding::Clip> m_clips;
    QHash<QString, Failure> m_failed;
    QSet<QString> m_warned;
};
