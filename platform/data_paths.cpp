#include "platform/data_paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The components of a relative path written with either separator; "." and empty parts dropped.
QStringList components(const QString &relative)
{
    QStringList parts;
    const QStringList raw = QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : raw) {
        if (part != QLatin1String("."))
            parts << part;
    }
    return parts;
}

// The path of `name` in `dir`. Not QDir::filePath(), which takes a name beginning with ':' for one
// of Qt's resources.
QString entryPath(const QDir &dir, const QString &name)
{
    return dir.absolutePath() + QLatin1Char('/') + name;
}

// Entries of `dir` whose name is `name` in some letter case, the exact spelling first.
QStringList candidates(const QDir &dir, const QString &name)
{
    QStringList found;
    if (name == QLatin1String("..")) {
        found << name;
        return found;
    }
    if (QFileInfo::exists(entryPath(dir, name)))
        found << name;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            found << entry;
    }
    return found;
}

// Depth-first walk so that a folder spelt two ways ("Sounds" and "sounds") is searched in both.
QString walk(const QDir &dir, const QStringList &parts, int index, bool wantDir)
{
    const QString &name = parts.at(index);
    const bool last = index == parts.size() - 1;
    for (const QString &entry : candidates(dir, name)) {
        const QFileInfo info(entryPath(dir, entry));
        if (last) {
            if (wantDir ? info.isDir() : (info.isFile() || (info.exists() && !info.isDir())))
                return QDir::cleanPath(info.absoluteFilePath());
            continue;
        }
        if (!info.isDir())
            continue;
        const QString found = walk(QDir(info.absoluteFilePath()), parts, index + 1, wantDir);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// Appends `root` unless `roots` already holds the same folder.
void addRoot(QStringList &roots, const QString &root)
{
    for (const QString &known : roots) {
        if (QDir::cleanPath(known) == QDir::cleanPath(root))
            return;
    }
    roots << root;
}

} // namespace

QStringList programDataRoots(const QString &binaryDir, const QString &dataFromBinary,
                             const QString &configuredDataDir)
{
    QStringList roots;
    addRoot(roots, QStringLiteral("."));
    addRoot(roots, QDir::cleanPath(binaryDir + QLatin1Char('/') + dataFromBinary));
    addRoot(roots, configuredDataDir);
    return roots;
}

DataPaths::DataPaths(QStringList roots) : m_roots(std::move(roots)) {}

QString DataPaths::resolveFile(const QString &relative) const
{
    return resolve(relative, false);
}

QString DataPaths::resolveDir(const QString &relative) const
{
    return resolve(relative, true);
}

QString DataPaths::resolve(const QString &relative, bool wantDir) const
{
    const QStringList parts = components(relative);
    if (parts.isEmpty())
        return {};
    const bool absolute = relative.startsWith(QLatin1Char('/'));
    const QStringList roots = absolute ? QStringList{QStringLiteral("/")} : m_roots;
    for (const QString &root : roots) {
        const QDir dir(QDir(root).absolutePath());
        if (!dir.exists())
            continue;
        const QString found = walk(dir, parts, 0, wantDir);
        if (!found.isEmpty())
            return found;
    }
    return {};
}
