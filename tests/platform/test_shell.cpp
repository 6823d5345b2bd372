#include "platform/shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// openExternal's targets: web hosts, programs, and the Windows volume control.
class TestShell : public QObject
{
    Q_OBJECT

    struct World
    {
        QStringList installed;                 // programs on the fake PATH
        QList<QStringList> started;            // program + arguments
        QList<QUrl> opened;

        Shell::Hooks hooks()
        {
            return Shell::Hooks{
                [this](const QString &name) {
                    return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
                },
                [this](const QString &program, const QStringList &arguments) {
                    started << (QStringList{program} + arguments);
                    return true;
                },
                [this](const QUrl &url) {
                    opened << url;
                    return true;
                },
            };
        }
    };

private slots:
    void bareHostOpensInTheBrowser()
    {
        World world;
        Shell shell(world.hooks());
        shell.execute(QStringLiteral("zubiko.example.org"));
        QCOMPARE(world.opened, QList<QUrl>{QUrl(QStringLiteral("https://zubiko.example.org"))});
        QVERIFY(world.started.isEmpty());
    }

    void programIsStartedByName()
    {
        World world;
        world.installed << QStringLiteral("notepad");
        Shell shell(world.hooks());
        const QString done = shell.execute(QStringLiteral("Notepad.exe"));
        QCOMPARE(world.started, QList<QStringList>{{QStringLiteral("/usr/bin/notepad")}});
        QVERIFY(done.contains(QLatin1String("/usr/bin/notepad")));
        QVERIFY(world.opened.isEmpty());
    }

    void unknownProgramDoesNothing()
    {
        World world;
        Shell shell(world.hooks());
        QVERIFY(shell.execute(QStringLiteral("wordpad.exe")).startsWith(QLatin1String("nothing")));
        QVERIFY(shell.execute(QString()).startsWith(QLatin1String("nothing")));
        QVERIFY(world.started.isEmpty());
        QVERIFY(world.opened.isEmpty());
    }

    void windowsVolumeControlBecomesTheDesktopOne()
    {
        for (const QString &target : {QStringLiteral("sndvol.exe"), QStringLiteral("sndvol32.exe")}) {
            World world;
            // Installed out of the order of preference: the first one in that order is started.
            const QList<QStringList> &controls = Shell::volumeControls();
            QVERIFY(controls.size() >= 3);
            world.installed << controls.at(2).first() << controls.at(1).first();
            Shell shell(world.hooks());
            shell.execute(target);
            QCOMPARE(world.started.size(), 1);
            QCOMPARE(world.started.first(), QStringList{QStringLiteral("/usr/bin/") + controls.at(1).first()} + controls.at(1).mid(1));
        }
    }

    void noVolumeControlDoesNothing()
    {
        World world;
        Shell shell(world.hooks());
        QVERIFY(shell.execute(QStringLiteral("sndvol.exe")).startsWith(QLatin1String("nothing")));
        QVERIFY(world.started.isEmpty());
        QVERIFY(world.opened.isEmpty());
    }

    void hostsAndProgramsAreToldApart_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("host");
        QTest::newRow("host") << QStringLiteral("zubiko.example.org") << true;
        QTest::newRow("www") << QStringLiteral("www.example.co.uk") << true;
        QTest::newRow("with path") << QStringLiteral("example.org/animals") << true;
        QTest::newRow("exe") << QStringLiteral("sndvol32.exe") << false;
        QTest::newRow("bare program") << QStringLiteral("notepad") << false;
        QTest::newRow("blank") << QStringLiteral("zubiko example.org") << false;
    }

    void hostsAndProgramsAreToldApart()
    {
        QFETCH(QString, target);
        QFETCH(bool, host);
        QCOMPARE(Shell::looksLikeHost(target), host);
    }

    void aRealProgramIsStartedDetached()
    {
        // A script on PATH that leaves a mark: the real hooks find it and start it.
        QTemporaryDir bin;
        const QString mark = bin.filePath(QStringLiteral("ran"));
        const QString script = bin.filePath(QStringLiteral("zubiko-test-program"));
        {
            QFile file(script);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(mark).toUtf8());
        }
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        Shell shell;
        const QString done = shell.execute(QStringLiteral("zubiko-test-program.exe"));
        qputenv("PATH", path);
        QVERIFY2(done.contains(script), qPrintable(done));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 10000);
    }
};

QTEST_GUILESS_MAIN(TestShell)
#include "test_shell.moc"
