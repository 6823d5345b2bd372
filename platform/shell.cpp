#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

bool isVolumeControl(const QString &name)
{
    return name.compare(QLatin1String("sndvol"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("sndvol32"), Qt::CaseInsensitive) == 0;
}

QString withoutExe(const QString &target)
{
    if (target.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return target.left(target.size() - 4);
    return target;
}

} // namespace

const QList<QStringList> &Shell::volumeControls()
{
    static const QList<QStringList> controls{
        {QStringLiteral("pavucontrol")},
        {QStringLiteral("pavucontrol-qt")},
        {QStringLiteral("gnome-control-center"), QStringLiteral("sound")},
        {QStringLiteral("mate-volume-control")},
        {QStringLiteral("systemsettings"), QStringLiteral("kcm_pulseaudio")},
        {QStringLiteral("xfce4-mixer")},
    };
    return controls;
}

Shell::Shell()
    : Shell(Hooks{
          [](const QString &name) { return QStandardPaths::findExecutable(name); },
          [](const QString &program, const QStringList &arguments) {
              return QProcess::startDetached(program, arguments);
          },
          [](const QUrl &url) { return QDesktopServices::openUrl(url); },
      })
{
}

Shell::Shell(Hooks hooks) : m_hooks(std::move(hooks)) {}

bool Shell::looksLikeHost(const QString &target)
{
    static const QRegularExpression host(QStringLiteral(
        "^(?:[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?\\.)+[A-Za-z]{2,63}(?:/[^\\s]*)?$"));
    if (target.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return false;
    return host.match(target).hasMatch();
}

QString Shell::start(const QStringList &command)
{
    const QString program = m_hooks.findExecutable(command.first());
    if (program.isEmpty())
        return {};
    if (!m_hooks.startDetached(program, command.mid(1)))
        return QStringLiteral("nothing (%1 would not start)").arg(program);
    return (QStringList{program} + command.mid(1)).join(QLatin1Char(' '));
}

QString Shell::execute(const QString &target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("nothing (no target)");

    if (trimmed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || trimmed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) || looksLikeHost(trimmed)) {
        const QUrl url = looksLikeHost(trimmed) ? QUrl(QStringLiteral("https://") + trimmed) : QUrl(trimmed);
        if (!url.isValid())
            return QStringLiteral("nothing (not a valid address)");
        if (!m_hooks.openUrl(url))
            return QStringLiteral("nothing (no browser opened %1)").arg(url.toString());
        return url.toString();
    }

    // A program: as given, without ".exe", and in lower case.
    const QString bare = withoutExe(trimmed);
    QStringList names{trimmed};
    for (const QString &name : {bare, bare.toLower()}) {
        if (!names.contains(name))
            names << name;
    }
    for (const QString &name : names) {
        const QString done = start({name});
        if (!done.isEmpty())
            return done;
    }

    if (isVolumeControl(QFileInfo(bare).fileName())) {
        for (const QStringList &control : volumeControls()) {
            const QString done = start(control);
            if (!done.isEmpty())
                return done;
        }
        return QStringLiteral("nothing (no volume control installed)");
    }
    return QStringLiteral("nothing (no such program)");
}
