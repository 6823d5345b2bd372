#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A Qt binary resource file (.rcc) held in memory, read through QResource. Qt trusts a resource's
// tree (it is normally built into a program), so the tree is checked first: every node, name and
// data block inside the file, no node reached twice, no entry bigger than MaxEntryBytes.
class RccReader
{
public:
    static constexpr qint64 MaxEntryBytes = 64LL * 1024 * 1024;

    explicit RccReader(QByteArray bytes);
    ~RccReader();
    RccReader(const RccReader &) = delete;
    RccReader &operator=(const RccReader &) = delete;

    // Empty when the file can be read, otherwise why not ("is not a Qt resource file").
    QString problem() const { return m_problem; }
    // The file entries under `folder` ("" for all), named without a leading ":/".
    QStringList entries(const QString &folder = QString()) const;
    // The bytes of `entry`, decompressed; false with `why` saying why not.
    bool read(const QString &entry, QByteArray *bytes, QString *why) const;

private:
    QString check() const;
    QString path(const QString &entry) const;

    QByteArray m_bytes;
    QString m_root; // where the file's tree is seen in the resource system
    QString m_problem;
    bool m_registered = false;
};
