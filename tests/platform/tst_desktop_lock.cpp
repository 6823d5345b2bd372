// The locks taken through D-Bus while locked and given back on leaving, against python3-dbusmock's
// services on private session and system buses.

#include "platform/desktop_lock.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {
QStringList s_trace;
void keepTrace(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_trace << message;
}

// The `what` and `mode` of each inhibitor lock the logind service holds.
QStringList logindInhibitors()
{
    const QDBusMessage reply = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
        "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "ListInhibitors"));
    QStringList locks;
    const auto list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        locks << what + ' ' + mode;
    }
    list.endArray();
    return locks;
}
} // namespace

class DesktopLockTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir{"/tmp/lkdbg-XXXXXX"};
    std::vector<std::unique_ptr<QProcess>> m_processes;

    QProcess &run(const QStringList &command)
    {
        auto &process = *m_processes.emplace_back(std::make_unique<QProcess>());
        process.start(command.first(), command.mid(1));
        return process;
    }
    // Starts a private bus and sets the variable that names it.
    void startBus(const char *variable)
    {
        QProcess &bus = run({"dbus-daemon", "--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForReadyRead(5000));
        qputenv(variable, bus.readLine().trimmed());
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists("/usr/lib/python3/dist-packages/dbusmock"))
            QSKIP("python3-dbusmock is not installed");
        startBus("DBUS_SESSION_BUS_ADDRESS");
        startBus("DBUS_SYSTEM_BUS_ADDRESS");
        QLoggingCategory::setFilterRules("zubiko.window.debug=true");
    }
    void cleanup()
    {
        for (auto &process : m_processes)
            if (!process->arguments().contains("--nofork"))
                process->kill(), process->waitForFinished();
    }
    void cleanupTestCase()
    {
        for (auto &process : m_processes)
            process->kill(), process->waitForFinished();
    }

    void locksTakenAndGivenBack_data()
    {
        QTest::addColumn<QString>("paths");
        QTest::addColumn<bool>("logind");
        QTest::addColumn<QString>("cookie");
        QTest::addColumn<QString>("powerTrace");
        QTest::newRow("both paths, logind") << R"(["/org/freedesktop/ScreenSaver", "/ScreenSaver"])" << true << "7"
                                            << "power keys held: logind passes them on";
        QTest::newRow("older path, no logind") << R"(["/ScreenSaver"])" << false << "8"
                                               << "power keys not held: org.freedesktop.DBus.Error.ServiceUnknown";
    }
    void locksTakenAndGivenBack()
    {
        QFETCH(QString, paths);
        QFETCH(bool, logind);
        QFETCH(QString, cookie);
        QFETCH(QString, powerTrace);
        const QString log = m_dir.filePath(QTest::currentDataTag());
        run({"/usr/bin/python3", "-m", "dbusmock", "--template", QFINDTESTDATA("screensaver_mock.py"), "-l", log,
             "-p", "{\"paths\": " + paths + "}"});
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered("org.freedesktop.ScreenSaver"), 30000);
        if (logind) {
            run({"/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind", "-l", log + ".logind"});
            QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::systemBus().interface()->isServiceRegistered("org.freedesktop.login1"), 30000);
        }
        const auto calls = [&log] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? QString(file.readAll()) : QString();
        };

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
            QCOMPARE(logindInhibitors(), QStringList{"handle-power-key:handle-suspend-key:handle-hibernate-key block"});

        lock.giveBack();
        qInstallMessageHandler(previous);
        QTRY_VERIFY(calls().contains("UnInhibit " + cookie));
        if (logind)
            QTRY_VERIFY(logindInhibitors().isEmpty());
        QCOMPARE(s_trace.filter("power keys").size(), logind ? 2 : 1);
        QCOMPARE(s_trace.filter("screen saver").size(), 2);
    }
};

QTEST_MAIN(DesktopLockTest)
#include "tst_desktop_lock.moc"
