// What the window's links open: web hosts in the browser, programs by name, the desktop's mixer.

#include "platform/shell.h"

#include <QtTest>

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void execute_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("installed"); // in /usr/bin
        QTest::addColumn<QString>("done");          // opened or started; "nothing (...)" when neither
        const QStringList notepad{"notepad"};
        QTest::newRow("host") << "zubiko.example.org" << notepad << "https://zubiko.example.org";
        QTest::newRow("host and path") << "www.example.co.uk/animals" << notepad << "https://www.example.co.uk/animals";
        QTest::newRow("address") << "http://example.org" << notepad << "http://example.org";
        QTest::newRow("program.exe") << "Notepad.exe" << notepad << "/usr/bin/notepad";
        QTest::newRow("program") << "notepad" << notepad << "/usr/bin/notepad";
        QTest::newRow("unknown program") << "wordpad.exe" << notepad << "nothing (no such program)";
        QTest::newRow("blank inside") << "zubiko example.org" << notepad << "nothing (no such program)";
        QTest::newRow("blank") << " " << notepad << "nothing (no target)";
        QTest::newRow("no mixer") << "sndvol.exe" << notepad << "nothing (no volume control installed)";
        // The volume links open the first installed of the desktops' mixers, in this order.
        const QStringList mixers{"pavucontrol", "pavucontrol-qt", "gnome-control-center sound", "mate-volume-control",
                                 "systemsettings kcm_pulseaudio", "xfce4-mixer"};
        for (int first = 0; first < mixers.size(); ++first) {
            QStringList installed; // the later ones, listed backwards
            for (const QString &mixer : mixers.mid(first))
                installed.prepend(mixer.section(' ', 0, 0));
            QTest::addRow("from %s on", qPrintable(mixers.at(first)))
                << (first % 2 ? "SndVol32.exe" : "sndvol.exe") << installed << "/usr/bin/" + mixers.at(first);
        }
    }
    void execute()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, installed);
        QFETCH(QString, done);
        QStringList log; // what was opened or started
        Shell shell(Shell::Hooks{
            [&](const QString &name) { return installed.contains(name) ? "/usr/bin/" + name : QString(); },
            [&](const QString &program, const QStringList &args) { log << (QStringList{program} + args).join(' '); return true; },
            [&](const QUrl &url) { log << url.toString(); return true; }});
        QCOMPARE(shell.execute(target), done);
        QCOMPARE(log, done.startsWith("nothing") ? QStringList() : QStringList{done});
    }

    void aProgramOnThePathIsStartedDetached()
    {
        QTemporaryDir bin; // holds a program that leaves a mark beside itself
        const QString program = bin.filePath("zubiko-test-program");
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\ntouch \"$0.ran\"\n") > 0
                && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        file.close();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        const QString done = Shell().execute("zubiko-test-program.exe");
        qputenv("PATH", path);
        QCOMPARE(done, program);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(program + ".ran"), 10000);
    }
};

QTEST_GUILESS_MAIN(ShellTest)
#include "tst_shell.moc"
