#include "rcc_reader.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QResource>
#include <QtEndian>

#include <atomic>
#include <vector>

namespace {

enum NodeFlag : quint16 { Compressed = 0x01, Directory = 0x02, CompressedZstd = 0x04 };

} // namespace

RccReader::RccReader(QByteArray bytes) : m_bytes(std::move(bytes))
{
    static std::atomic<int> opened{0};
    m_root = QStringLiteral("/zubiko-rcc-%1").arg(++opened);
    m_problem = check();
    if (m_problem.isEmpty()) {
        m_registered = QResource::registerResource(reinterpret_cast<const uchar *>(m_bytes.constData()), m_root);
        if (!m_registered)
            m_problem = QStringLiteral("is a Qt resource file Qt does not read");
    }
}

RccReader::~RccReader()
{
    if (m_registered)
        QResource::unregisterResource(reinterpret_cast<const uchar *>(m_bytes.constData()), m_root);
}

// The layout, all numbers big-endian: "qres", version, then the offsets of the tree, the data and
// the names (and, from version 3, flags). A tree node holds its name's offset and its flags, then a
// folder's child count and first child, or a file's locale and data offset (and, from version 2, a
// time). A name: its length in UTF-16 units, a hash, the units. A data block: its length, the bytes.
QString RccReader::check() const
{
    const auto size = static_cast<quint64>(m_bytes.size());
    const auto *b = reinterpret_cast<const uchar *>(m_bytes.constData());
    const auto u32 = [b](quint64 at) { return static_cast<quint64>(qFromBigEndian<quint32>(b + at)); };
    const auto u16 = [b](quint64 at) { return qFromBigEndian<quint16>(b + at); };
    if (size < 20 || !m_bytes.startsWith("qres"))
        return QStringLiteral("is not a Qt resource file");
    const quint64 version = u32(4);
    if (version < 1 || version > 3)
        return QStringLiteral("is of resource format version %1 (1 to 3 are read)").arg(version);
    if (version >= 3 && size < 24)
        return QStringLiteral("is cut short: it ends inside its header");
    const quint64 tree = u32(8), data = u32(12), names = u32(16);
    const quint64 nodeSize = version >= 2 ? 22 : 14;
    if (tree >= size || data >= size || names >= size)
        return QStringLiteral("is cut short: its header points past its end");
    const quint64 nodes = (size - tree) / nodeSize;
    std::vector<bool> seen(nodes, false);
    std::vector<quint64> pending{0};
    while (!pending.empty()) {
        const quint64 node = pending.back();
        pending.pop_back();
        if (node >= nodes || seen[node])
            return QStringLiteral("has a damaged tree (node %1)").arg(node);
        seen[node] = true;
        const quint64 at = tree + node * nodeSize;
        const quint64 name = names + u32(at);
        if (name + 6 > size || name + 6 + 2 * quint64(u16(name)) > size)
            return QStringLiteral("has a name past its end (node %1)").arg(node);
        // A name that is no file name ("", "..", "a/b") would lead a path back up or astray.
        QString text;
        for (quint64 unit = 0; unit < u16(name); ++unit)
            text += QChar(u16(name + 6 + 2 * unit));
        if (node != 0 && (text.isEmpty() || text == QLatin1String(".") || text == QLatin1String("..")
                          || text.contains(QLatin1Char('/'))))
            return QStringLiteral("has an entry named \"%1\" (node %2)").arg(text).arg(node);
        const quint16 flags = u16(at + 4);
        if (node == 0 && !(flags & Directory))
            return QStringLiteral("has no folder at its root");
        if (flags & Directory) {
            const quint64 count = u32(at + 6), first = u32(at + 10);
            if (first + count > nodes)
                return QStringLiteral("has a folder whose entries lie past its end (node %1)").arg(node);
            for (quint64 child = first; child < first + count; ++child)
                pending.push_back(child);
            continue;
        }
        const quint64 block = data + u32(at + 10);
        if (block + 4 > size || block + 4 + u32(block) > size)
            return QStringLiteral("has data past its end (node %1)").arg(node);
        if ((flags & Compressed) && u32(block) < 4)
            return QStringLiteral("has compressed data without its length (node %1)").arg(node);
    }
    return {};
}

QString RccReader::path(const QString &entry) const
{
    return QLatin1Char(':') + m_root + QLatin1Char('/') + entry;
}

QStringList RccReader::entries(const QString &folder) const
{
    QStringList found;
    if (!m_registered)
        return found;
    const qsizetype prefix = path(QString()).size();
    QDirIterator it(path(folder), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(prefix);
    return found;
}

bool RccReader::read(const QString &entry, QByteArray *bytes, QString *why) const
{
    const QResource resource(path(entry));
    if (!m_registered || !resource.isValid() || QFileInfo(path(entry)).isDir()) {
        *why = QStringLiteral("entry not found: %1").arg(entry);
        return false;
    }
    if (resource.uncompressedSize() > MaxEntryBytes) {
        *why = QStringLiteral("entry would be %1 bytes, more than an entry may be: %2").arg(resource.uncompressedSize()).arg(entry);
        return false;
    }
    *bytes = resource.uncompressedData();
    if (bytes->isEmpty()) {
        *why = QStringLiteral("entry is empty or cannot be decompressed: %1").arg(entry);
        return false;
    }
    return true;
}
