#include "platform/real_platform.h"

#include "platform/trace.h"
#include "captured_messages.h"
#include "picture_files.h"
#include "wav_files.h"

#include <QDir>
#include <QImage>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <optional>

// RealPlatform as the window uses it: pictures, sounds by relative path, the trace, DoEvents.
class TestRealPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir data;
    QString output;
    std::unique_ptr<RealPlatform> platform;
    // Installed once the test has started: Qt Test puts in its own handler before that.
    std::optional<CapturedMessages> messages;

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase()
    {
        messages.emplace();
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("Animals")));
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("Sounds")));
        QImage duck(120, 80, QImage::Format_RGB32);
        duck.fill(Qt::yellow);
        QVERIFY(duck.save(data.filePath(QStringLiteral("Animals/duck.jpg")), "JPEG"));
        write(data.filePath(QStringLiteral("Animals/Broken.jpg")), QByteArray("\xFF\xD8\xFF\xE0 this is not a picture", 26));
        write(data.filePath(QStringLiteral("Animals/bomb.jpg")), picture::jpegClaiming(30000, 30000));
        QVERIFY(wav::writeConstant(data.filePath(QStringLiteral("Sounds/Duck.WAV")), 48000, 2, 4800, 8000));

        output = data.filePath(QStringLiteral("device.raw"));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        QLoggingCategory::setFilterRules(QStringLiteral("zubiko.platform.debug=true"));
        platform = std::make_unique<RealPlatform>(QStringList{data.path()});
    }

    void init() { messages->clear(); }

    void pictureAtItsNaturalSize()
    {
        const QPixmap picture = platform->loadPicture(QStringLiteral("animals\\Duck.jpg"));
        QCOMPARE(picture.size(), QSize(120, 80));
        const QString file = QFileInfo(data.filePath(QStringLiteral("Animals/duck.jpg"))).absoluteFilePath();
        QVERIFY(messages->trace().contains(QStringLiteral("loadPicture \"animals\\Duck.jpg\" -> ") + file));
    }

    void missingPictureWarnsAndGivesNothing()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Owl\\.jpg")));
        QVERIFY(platform->loadPicture(QStringLiteral("animals\\Owl.jpg")).isNull());
        QCOMPARE(messages->trace().size(), 1);
        QVERIFY(messages->trace().first().startsWith(QStringLiteral("loadPicture \"animals\\Owl.jpg\" -> no picture (")));
    }

    void corruptPictureWarnsAndGivesNothing()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Broken\\.jpg")));
        QVERIFY(platform->loadPicture(QStringLiteral("animals\\broken.jpg")).isNull());
    }

    void decompressionBombIsRefused()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("bomb\\.jpg")));
        QVERIFY(platform->loadPicture(QStringLiteral("animals\\bomb.jpg")).isNull());
    }

    void soundsAreFoundAndTraced()
    {
        platform->playSound(QStringLiteral("sounds\\duck.wav"));
        const QString file = QFileInfo(data.filePath(QStringLiteral("Sounds/Duck.WAV"))).absoluteFilePath();
        QCOMPARE(messages->trace(), QStringList{QStringLiteral("playSound \"sounds\\duck.wav\" -> ") + file});
    }

    void missingSoundPlaysTheDefaultSound()
    {
        platform->playSound(QStringLiteral("sounds\\unicorn.wav"));
        QCOMPARE(messages->trace().size(), 1);
        QVERIFY(messages->trace().first().startsWith(QStringLiteral("playSound \"sounds\\unicorn.wav\" -> default sound (")));
        QTest::qWait(300);
        // The disk driver has written the chime by now: something audible, short and soft.
        const auto samples = wav::readFloats(output);
        int audible = 0;
        float peak = 0;
        for (float s : samples) {
            if (std::abs(s - wav::asFloat(8000)) > 1e-4f && std::abs(s) > 1e-3f) {
                ++audible;
                peak = std::max(peak, std::abs(s));
            }
        }
        QVERIFY(audible > 0);
        QVERIFY(peak < 0.5f);
    }

    void speechIsTraced()
    {
        platform->speak(QStringLiteral("Duck"));
        QCOMPARE(messages->trace(), QStringList{QStringLiteral("speak \"Duck\"")});
    }

    void shellIsTraced()
    {
        platform->openExternal(QStringLiteral("no-such-program-anywhere.exe"));
        QCOMPARE(messages->trace().size(), 1);
        QVERIFY(messages->trace().first().startsWith(QStringLiteral("openExternal \"no-such-program-anywhere.exe\" -> nothing (")));
    }

    void doEventsRunsPendingEventsWithoutWaiting()
    {
        int ran = 0;
        QTimer::singleShot(0, this, [&ran] { ++ran; });
        QMetaObject::invokeMethod(this, [&ran] { ++ran; }, Qt::QueuedConnection);
        platform->processEventsOnce();
        QCOMPARE(ran, 2);
        // Nothing pending: it still returns (a wait for an event would hang the test).
        platform->processEventsOnce();
        QCOMPARE(ran, 2);
    }

    void osVersionIsMajorDotMinor()
    {
        const QString version = platform->osVersion();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+\\.\\d+$")).match(version).hasMatch(), qPrintable(version));
        QVERIFY(QSysInfo::kernelVersion().startsWith(version + QLatin1Char('.'))
                || QSysInfo::kernelVersion().startsWith(version + QLatin1Char('-'))
                || QSysInfo::kernelVersion() == version);
    }

    void randomDrawsFollowReseeds()
    {
        float previousDraw = -1;
        int changes = 0;
        for (int i = 0; i < 50; ++i) {
            platform->reseedRandom();
            const float r = platform->nextRandom();
            QVERIFY(r >= 0.0f && r < 1.0f);
            changes += r != previousDraw;
            previousDraw = r;
        }
        QVERIFY(changes >= 49);
    }

    void cleanupTestCase()
    {
        platform.reset();
        messages.reset();
    }
};

QTEST_MAIN(TestRealPlatform)
#include "test_real_platform.moc"
