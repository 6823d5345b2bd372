// The screen saver and power key locks, taken while locked and given back on leaving, against
// python3-dbusmock's services on a private bus (dbus-run-session), which serves as the system bus too.

#include "platform/desktop_lock.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <optional>

namespace {
QStringList s_trace;
void keepTrace(QtMsgType, const QMessageLogContext &, const QString &message) { s_trace << message; }

struct Mock : QProcess {
    Mock(const QStringList &arguments) { start("/usr/bin/python3", QStringList{"-m", "dbusmock"} + arguments); }
    ~Mock() override { kill(), waitForFinished(); }
};
QString read(const QString &command)
{
    QProcess process;
    process.startCommand(command);
    process.waitForFinished();
    return process.readAll();
}
} // namespace

class DesktopLockTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists("/usr/lib/python3/dist-packages/dbusmock") || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            QSKIP("needs python3-dbusmock and a private bus");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
        QLoggingCategory::setFilterRules("zubiko.window.debug=true");
    }

    void locksTakenAndGivenBack_data()
    {
        QTest::addColumn<QString>("paths");
        QTest::addColumn<bool>("logind");
        QTest::addColumn<QString>("unInhibit");
        QTest::addColumn<QString>("powerTrace");
        QTest::newRow("both paths, logind") << R"(["/org/freedesktop/ScreenSaver", "/ScreenSaver"])" << true
                                            << "UnInhibit 7" << "power keys held: logind passes them on";
        QTest::newRow("older path, no logind") << R"(["/ScreenSaver"])" << false << "UnInhibit 8"
                                               << "power keys not held: org.freedesktop.DBus.Error.ServiceUnknown";
    }
    void locksTakenAndGivenBack()
    {
        QFETCH(QString, paths);
        QFETCH(bool, logind);
        QFETCH(QString, unInhibit);
        QFETCH(QString, powerTrace);
        QTemporaryDir dir;
        const QString log = dir.filePath("calls");
        Mock screenSaver({"--template", QFINDTESTDATA("screensaver_mock.py"), "-l", log, "-p", "{\"paths\": " + paths + "}"});
        std::optional<Mock> logindMock;
        if (logind)
            logindMock.emplace(QStringList{"--system", "--template", "logind"});
        const auto *bus = QDBusConnection::sessionBus().interface();
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered("org.freedesktop.ScreenSaver")
                                     && bus->isServiceRegistered("org.freedesktop.login1") == logind, 30000);
        const auto calls = [&log] { QFile file(log); return file.open(QIODevice::ReadOnly) ? QString(file.readAll()) : QString(); };
        const QString inhibitors = "gdbus call --system -d org.freedesktop.login1 -o /org/freedesktop/login1 "
                                   "-m org.freedesktop.login1.Manager.ListInhibitors";

        s_trace.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepTrace);
        QWindow window;
        DesktopLock lock;
        lock.hold(&window);
        lock.hold(&window);
        QTRY_VERIFY(s_trace.contains(powerTrace));
        // One grant asked for, however often the window is held; a refusing path is tried no more.
        QTRY_COMPARE(calls().count("Inhibit \"") - calls().count("raised"), 1);
        if (logind)
            QVERIFY(read(inhibitors).contains("'handle-power-key:handle-suspend-key:handle-hibernate-key', "
                                              "'platform_desktop_lock', 'a child is playing in the locked mode', 'block'"));
        lock.giveBack();
        qInstallMessageHandler(previous);
        QTRY_VERIFY(calls().contains(unInhibit));
        if (logind)
            QTRY_COMPARE(read(inhibitors).trimmed(), "(@a(ssssuu) [],)");
    }
};

QTEST_MAIN(DesktopLockTest)
#include "tst_desktop_lock.moc"
