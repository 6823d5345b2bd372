#include "command_line.h"
#include "platform/data_checks.h"
#include "platform/data_paths.h"
#include "platform/real_platform.h"
#include "window/form1.h"
#include "window/locked_view.h"

#include <QApplication>
#include <QFile>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

bool g_startingGui = false;
QtMessageHandler g_defaultHandler = nullptr;

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> g_held;

// Without a display Qt gives up with a fatal message and an abort, after warnings of its own. A
// child's program says so in one line and exits instead of leaving a core dump: what Qt says
// while the window system is being reached is held back, and passed on only once that worked.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!g_startingGui) {
        g_defaultHandler(type, context, message);
        return;
    }
    if (type == QtFatalMsg) {
        // Qt's own reason ("could not connect to display :1") tells the user where to look.
        QStringList reasons;
        for (const HeldMessage &held : g_held) {
            if (held.category.startsWith("qt.qpa") && held.type != QtDebugMsg && held.type != QtInfoMsg)
                reasons << held.text.trimmed();
        }
        if (reasons.isEmpty())
            reasons << message.section(QLatin1Char('\n'), 0, 0).trimmed();
        const bool noneSet = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
        std::fprintf(stderr, "zubiko: cannot open a window: %s%s\n", qUtf8Printable(reasons.join(QStringLiteral("; "))),
                     noneSet ? " (neither DISPLAY nor WAYLAND_DISPLAY is set)" : "");
        std::_Exit(EXIT_FAILURE);
    }
    g_held.push_back({type, QByteArray(context.category ? context.category : "default"), message});
}

void passOnHeldMessages()
{
    g_startingGui = false;
    for (const HeldMessage &held : g_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        g_defaultHandler(held.type, context, held.text);
    }
    g_held.clear();
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commandLine = readCommandLine(arguments);
    if (commandLine.action == CommandLine::Help) {
        std::fputs(qUtf8Printable(commandLine.text), stdout);
        return 0;
    }
    if (commandLine.action == CommandLine::Error) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(commandLine.text));
        return 2;
    }

    // The fonts' configuration (tens of files, read once per process) is read on a thread of its
    // own while the window system is reached; the window's first captions need it.
    std::thread fontConfiguration([] { FcInit(); });
    g_defaultHandler = qInstallMessageHandler(messageHandler);
    g_startingGui = true;
    QApplication app(argc, argv);
    passOnHeldMessages();
    QApplication::setApplicationName(QStringLiteral("zubiko"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Zubiko"));

    // Pictures and sounds: the working directory first; a file not found there is looked for in
    // the installed data folder beside the binary, then in the one of the configured prefix.
    RealPlatform platform(programDataRoots(QCoreApplication::applicationDirPath(),
                                           QStringLiteral(ZUBIKO_DATA_DIR_FROM_BINARY),
                                           QStringLiteral(ZUBIKO_DATA_DIR)),
                          commandLine.voice);
    platform.checkDataFolders();
    platform.readPictureAhead(Form1::FirstPicture);

    // The language: --language, else the desktop's languages in order of preference. The sentences'
    // translations are built into the program (:/i18n); the animals' names are data (names\<code>.txt).
    QTranslator translator;
    const DataPaths names(programDataRoots(QCoreApplication::applicationDirPath(),
                                           QStringLiteral(ZUBIKO_DATA_DIR_FROM_BINARY), QStringLiteral(ZUBIKO_DATA_DIR)));
    const Language language = chooseLanguage(
        commandLine.language.isEmpty() ? QLocale().uiLanguages() : QStringList{commandLine.language},
        [&translator](const QString &code) {
            return translator.load(QStringLiteral(":/i18n/zubiko_") + code);
        },
        [&names](const QString &code) {
            const QString file = names.resolveFile(QStringLiteral("names\\%1.txt").arg(code));
            if (file.isEmpty() || !DataChecks::fileProblem(file).isEmpty())
                return QByteArray();
            QFile in(file);
            return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        });
    if (!language.isEnglish())
        QCoreApplication::installTranslator(&translator);
    platform.setLanguage(language.code);
    fontConfiguration.join();
    Form1 window(platform, language);
    // A screen with less room than the window shows it scaled down to fit.
    std::unique_ptr<ScaledView> view;
    if (commandLine.locked)
        view = std::make_unique<LockedView>(window);
    else
        view = ScaledView::showFitted(window);
    return app.exec();
}
