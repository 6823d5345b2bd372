#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Read before a window system is reached, so that help and every
// mistake in it need no display.
struct CommandLine
{
    enum Action {
        Run,  // start the program
        Help, // print `text` on stdout, exit with 0
        Error // print `text` (one line) on stderr, exit with 2
    };
    Action action = Run;
    bool kiosk = false;
    QString voice; // one of voiceNames()
    QString text;  // the help, or the error's line
};

// Reads `arguments` (the program's name first). Qt's own options (-platform NAME, -display NAME,
// -style NAME, ...) are let through for QApplication, which takes them out itself.
CommandLine readCommandLine(const QStringList &arguments);
