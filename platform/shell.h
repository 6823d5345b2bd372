#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// Opens what the window's links name: a bare web host name ("zubiko.example.org") opens in the
// browser as https://host; a program name is looked up on the PATH (".exe" dropped, any letter
// case) and started detached. The volume link's names (sndvol.exe, sndvol32.exe) open the
// desktop's own mixer. A target that cannot be opened is dropped without a word.
class Shell
{
public:
    // The outside world, replaceable so that a test can watch what would be started.
    struct Hooks
    {
        std::function<QString(const QString &name)> findExecutable;
        std::function<bool(const QString &program, const QStringList &arguments)> startDetached;
        std::function<bool(const QUrl &url)> openUrl;
    };

    // Volume controls tried in order, each a program and its arguments.
    static const QList<QStringList> &volumeControls();

    Shell();
    explicit Shell(Hooks hooks);

    // Opens or starts `target`. Returns what was done, for the trace: the URL or the command
    // line, or "nothing (reason)".
    QString execute(const QString &target);

    // True for "zubiko.example.org" and the like (with an optional /path), false for "notepad",
    // "sndvol.exe" or anything with blanks.
    static bool looksLikeHost(const QString &target);

private:
    QString start(const QStringList &command);

    Hooks m_hooks;
};
