#include "platform/real_platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {

bool g_startingGui = false;
QtMessageHandler g_defaultHandler = nullptr;

// Without a display Qt gives up with a fatal message and an abort; a child's program says so in
// one line and exits instead of leaving a core dump.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg && g_startingGui) {
        std::fputs("zubiko: cannot open a window: no display could be reached "
                   "(is DISPLAY or WAYLAND_DISPLAY set?)\n",
                   stderr);
        std::_Exit(EXIT_FAILURE);
    }
    g_defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    g_defaultHandler = qInstallMessageHandler(messageHandler);
    g_startingGui = true;
    QApplication app(argc, argv);
    g_startingGui = false;
    QApplication::setApplicationName(QStringLiteral("zubiko"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Zubiko"));

    // Pictures and sounds: the working directory first; a file not found there is looked for in
    // the installed data folder beside the binary, then in the one of the configured prefix.
    RealPlatform platform;
    const QString installedData = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                  QStringLiteral("/" ZUBIKO_DATA_DIR_FROM_BINARY));
    platform.appendDataRoot(installedData);
    if (installedData != QDir::cleanPath(QStringLiteral(ZUBIKO_DATA_DIR)))
        platform.appendDataRoot(QStringLiteral(ZUBIKO_DATA_DIR));
    platform.checkDataFolders();
    Form1 window(platform);
    window.show();
    return app.exec();
}
