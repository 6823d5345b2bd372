// RealPlatform as the window uses it: the trace of its calls, random numbers.

#include "platform/random_source.h"
#include "platform/real_platform.h"

#include "captured_messages.h"
#include "made_files.h"

#include <QtTest>

class RealPlatformTest : public QObject
{
    Q_OBJECT
    RealPlatform platform;

private slots:
    void callsAreTracedWithWhatTheyFound()
    {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath("Animals") && QDir(data.path()).mkpath("Sounds"));
        QVERIFY(made::write(data.filePath("Animals/duck.jpg"), made::picture(120, 80)));
        QVERIFY(made::write(data.filePath("Sounds/Duck.WAV"), made::wav(8000, 1, 1600, 1600)));
        QFile release("/proc/sys/kernel/osrelease"); // "6.1.0-18-amd64"
        QVERIFY(release.open(QIODevice::ReadOnly));
        platform.appendDataRoot(data.path());
        const CapturedMessages messages;
        QLoggingCategory::setFilterRules("zubiko.platform.debug=true");
        QCOMPARE(platform.loadPicture("animals\\Duck.jpg").size(), QSize(120, 80)); // its natural size
        platform.playSound("sounds\\duck.wav");
        platform.speak("Duck");
        platform.openExternal("no-such-program-anywhere.exe");
        platform.osVersion();
        QCOMPARE(messages.trace().filter(QRegularExpression("^(loadPicture|playSound|speak|openExternal|osVersion) ")),
                 (QStringList{"loadPicture \"animals\\Duck.jpg\" -> " + data.path() + "/Animals/duck.jpg",
                              "playSound \"sounds\\duck.wav\" -> " + data.path() + "/Sounds/Duck.WAV", "speak \"Duck\"",
                              "openExternal \"no-such-program-anywhere.exe\" -> nothing (no such program)",
                              "osVersion -> \"" + QString(release.readAll()).section('.', 0, 1) + '"'}));
    }

    void randomDrawsKeepChangingWhileTheClockStandsStill()
    {
        RandomSource stopped([] { return std::uint64_t{42}; });
        QSet<float> seen;
        double sum = 0;
        for (int i = 0; i < 1000; ++i) {
            stopped.randomize();
            platform.reseedRandom();
            for (const float r : {stopped.next(), platform.nextRandom()}) { // in [0, 1), at steps of 2^-24
                QVERIFY2(r >= 0 && r < 1 && r * 16777216.0f == std::floor(r * 16777216.0f), qPrintable(QString::number(r)));
                seen << r;
                sum += static_cast<double>(r);
            }
        }
        // Among 2000 draws of 2^24 values a repeat is rare; a stuck sequence or a lopsided one shows.
        QVERIFY(seen.size() >= 1990);
        QVERIFY2(std::abs(sum / 2000 - 0.5) < 0.03, qPrintable(QString::number(sum / 2000)));
    }
};

QTEST_MAIN(RealPlatformTest)
#include "tst_real_platform.moc"
