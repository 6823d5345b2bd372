#include "platform/clip_cache.h"

#include <QFileInfo>

AudioDecoding::Clip ClipCache::clip(const QString &path, QString *why)
{
    const QFileInfo info(path);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_clips.constFind(path);
        if (found != m_clips.constEnd())
            return *found;
        const auto bad = m_failed.constFind(path);
        if (bad != m_failed.constEnd() && bad->size == info.size() && bad->modified == info.lastModified()) {
            if (why)
                *why = bad->why;
            return {};
        }
    }
    // Decoded outside the lock: a play asked for meanwhile finds the other files without waiting.
    QString reason;
    AudioDecoding::Clip decoded = AudioDecoding::decodeFile(path, &reason);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (decoded) {
        m_clips.insert(path, decoded);
        m_failed.remove(path);
        return decoded;
    }
    m_failed.insert(path, Failure{reason, info.size(), info.lastModified()});
    if (!m_warned.contains(path)) {
        m_warned.insert(path);
        qWarning("Zubiko: sound %s %s; the default sound plays in its place", qUtf8Printable(path),
                 qUtf8Printable(reason));
    }
    if (why)
        *why = reason;
    return {};
}

bool ClipCache::contains(const QString &path) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_clips.contains(path);
}

int ClipCache::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_clips.size());
}
