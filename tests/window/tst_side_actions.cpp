// The two links under the panel: the web site and the volume control, and the controls that do
// nothing.

#include "window_harness.h"

class SideActionsTest : public QObject
{
    Q_OBJECT

private slots:
    void volumeProgramFollowsTheSystemVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("program");
        QTest::newRow("6.0") << "6.0" << "sndvol.exe";
        QTest::newRow("5.99") << "5.99" << "sndvol32.exe";
        QTest::newRow("10.0") << "10.0" << "sndvol.exe";
        QTest::newRow("unreadable") << "unknown" << "sndvol32.exe";
        QTest::newRow("empty") << "" << "sndvol32.exe";
    }
    void volumeProgramFollowsTheSystemVersion()
    {
        QFETCH(QString, version);
        QFETCH(QString, program);
        WindowHarness w;
        w.platform.versionText = version;
        w.click("Label6");
        w.click("Label6");
        QCOMPARE(w.platform.versionReads, 2);
        QCOMPARE(w.platform.take(), QStringList({"Shell: " + program, "Shell: " + program}));
    }

    void linksAndInertControlsChangeNothingElse()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.take();
        const WindowState before = w.state();
        w.click("Label5");
        for (const char *inert : {"Label1", "Label4", "Label7", "Label2", "Label8", "lblTime", "tts", "Shape1"})
            w.click(inert);
        QCOMPARE(w.platform.take(), QStringList{"Shell: zubiko.example.org"});
        QCOMPARE(w.text("Label5"), QStringLiteral("zubiko.example.org"));
        QCOMPARE(w.state().BarPhase, before.BarPhase);
        QCOMPARE(w.state().SelectionFlag, before.SelectionFlag);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }
};

QTEST_MAIN(SideActionsTest)
#include "tst_side_actions.moc"
