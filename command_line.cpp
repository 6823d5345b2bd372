#include "command_line.h"

#include "platform/voices.h"

#include <QCommandLineParser>

namespace {

// The options QGuiApplication and QApplication read from the command line, those with a value first.
const char *const QtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "qwindowicon", "qwindowtitle", "display",
                                          "geometry", "title", "name", "session", "style", "stylesheet",
                                          "visual", "ncols", "cmap", "qmljsdebugger"};
const char *const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-platform xcb" is Qt's option, not the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Animals, their names and their sounds, for young children."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption kioskOption(QStringLiteral("kiosk"),
                                         QStringLiteral("Locked, full screen: a key works the bar once (keys pressed "
                                                        "together count once), and the desktop's keys are held back. "
                                                        "Type q u i t to leave."));
    parser.addOption(kioskOption);
    const QCommandLineOption voiceOption(QStringLiteral("voice"),
                                         QStringLiteral("The voice that speaks: %1 (default %2).")
                                             .arg(voiceNames().join(QStringLiteral(" or ")), defaultVoice()),
                                         QStringLiteral("name"), defaultVoice());
    parser.addOption(voiceOption);
    for (const char *name : QtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : QtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Error;
        result.text = QStringLiteral("zubiko: ") + parser.errorText().simplified();
        return result;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = CommandLine::Help;
        const QString help = parser.helpText(); // "Usage: NAME [options]...", NAME as Qt knows it, if at all
        result.text = QStringLiteral("Usage: zubiko") + help.mid(help.indexOf(QLatin1String(" [options]")));
        return result;
    }
    result.kiosk = parser.isSet(kioskOption);
    result.voice = parser.value(voiceOption);
    if (!voiceNames().contains(result.voice)) {
        result.action = CommandLine::Error;
        result.text = QStringLiteral("zubiko: there is no voice \"%1\" (the voices: %2)")
                          .arg(result.voice.simplified(), voiceNames().join(QStringLiteral(", ")));
    }
    return result;
}
