#pragma once

#include <QString>
#include <QStringList>

// Finds the program's data files. Data paths are written relative, with backslashes
// ("animals\Duck.jpg", "sounds\hippo.wav"), and the folders and files on disk may carry other letter
// cases, so every path component is matched without regard to case (an exact match wins when
// there is one). The roots are searched in the order given (programDataRoots: the working
// directory first, then the installed data folders).
class DataPaths
{
public:
    // Roots may be relative (resolved against the working directory at look-up time).
    explicit DataPaths(QStringList roots = {QStringLiteral(".")});

    QStringList roots() const { return m_roots; }

    // The absolute path of the file `relative` names, or an empty string when no root holds one.
    // A folder where a file should be does not count.
    QString resolveFile(const QString &relative) const;

    // The same for a folder ("sounds").
    QString resolveDir(const QString &relative) const;

private:
    QString resolve(const QString &relative, bool wantDir) const;

    QStringList m_roots;
};

// The data roots of the program, in the order they are searched: the working directory ("."),
// then the installed data folder beside the binary (`dataFromBinary`, relative to `binaryDir`),
// then the data folder of the prefix the program was configured for, each root only once.
QStringList programDataRoots(const QString &binaryDir, const QString &dataFromBinary,
                             const QString &configuredDataDir);
