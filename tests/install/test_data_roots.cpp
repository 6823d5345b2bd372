#include "platform/real_platform.h"
#include "tests/platform/captured_messages.h"
#include "tests/platform/wav_files.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <memory>

// Where the program finds its pictures and sounds once installed: the working directory first,
// then the installed data folder, file by file. The platform is set up as main() sets it up: the
// default root (the working directory) and the installed folder appended after it. Speech allows
// one platform per process, so every case shares it: each fills the installed folder afresh and
// moves to a working directory of its own.
class TestDataRoots : public QObject
{
    Q_OBJECT

private:
    // Installed once the test has started: Qt Test puts in its own handler before that.
    std::optional<CapturedMessages> messages;
    QString startDir;
    std::unique_ptr<QTemporaryDir> installedDir;
    std::unique_ptr<RealPlatform> platform;

    // A picture of its own size, so that the one shown tells where it came from.
    static bool putPicture(const QString &root, const QString &name, QSize size)
    {
        if (!QDir(root).mkpath(QStringLiteral("animals")))
            return false;
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        return picture.save(root + QStringLiteral("/animals/") + name, "JPEG");
    }

    static bool putSound(const QString &root, const QString &name)
    {
        return QDir(root).mkpath(QStringLiteral("sounds")) &&
               wav::writeConstant(root + QStringLiteral("/sounds/") + name, 48000, 1, 480, 1000);
    }

    static QString absolute(const QString &path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

    // The file the last traced call of `call` resolved `relative` to.
    QString resolvedIn(const QString &call, const QString &relative) const
    {
        const QString prefix = call + QStringLiteral(" \"") + relative + QStringLiteral("\" -> ");
        const QStringList trace = messages->trace();
        for (auto it = trace.crbegin(); it != trace.crend(); ++it) {
            if (it->startsWith(prefix))
                return it->mid(prefix.size());
        }
        return QStringLiteral("(not traced)");
    }

private slots:
    void initTestCase()
    {
        messages.emplace();
        startDir = QDir::currentPath();
        QLoggingCategory::setFilterRules(QStringLiteral("zubiko.platform.debug=true"));
        installedDir = std::make_unique<QTemporaryDir>();
        QVERIFY(installedDir->isValid());
        platform = std::make_unique<RealPlatform>();
        platform->appendDataRoot(installedDir->path());
        QCOMPARE(platform->dataRoots(), (QStringList{QStringLiteral("."), installedDir->path()}));
    }

    void cleanupTestCase()
    {
        platform.reset();
        messages.reset();
        QDir::setCurrent(startDir);
    }

    void init()
    {
        messages->clear();
        QDir installed(installedDir->path());
        QVERIFY(installed.removeRecursively());
        QVERIFY(installed.mkpath(QStringLiteral(".")));
    }
    void cleanup() { QDir::setCurrent(startDir); }

    void workingDirectoryWinsWhenBothHoldTheFile()
    {
        QTemporaryDir working;
        const QDir installed(installedDir->path());
        QVERIFY(putPicture(working.path(), QStringLiteral("duck.jpg"), QSize(40, 30)));
        QVERIFY(putPicture(installed.path(), QStringLiteral("duck.jpg"), QSize(90, 70)));
        QVERIFY(putSound(working.path(), QStringLiteral("duck.wav")));
        QVERIFY(putSound(installed.path(), QStringLiteral("duck.wav")));
        QVERIFY(QDir::setCurrent(working.path()));

        QCOMPARE(platform->loadPicture(QStringLiteral("animals\\Duck.jpg")).size(), QSize(40, 30));
        QCOMPARE(resolvedIn(QStringLiteral("loadPicture"), QStringLiteral("animals\\Duck.jpg")),
                 absolute(working.filePath(QStringLiteral("animals/duck.jpg"))));
        platform->playSound(QStringLiteral("sounds\\duck.wav"));
        QCOMPARE(resolvedIn(QStringLiteral("playSound"), QStringLiteral("sounds\\duck.wav")),
                 absolute(working.filePath(QStringLiteral("sounds/duck.wav"))));
    }

    void installedFolderServesWhatTheWorkingDirectoryLacks()
    {
        // The working directory has an animals folder of its own, with another animal only, and
        // no sounds at all: each file is looked for on its own, not each folder.
        QTemporaryDir working;
        const QDir installed(installedDir->path());
        QVERIFY(putPicture(working.path(), QStringLiteral("cat.jpg"), QSize(20, 20)));
        QVERIFY(putPicture(installed.path(), QStringLiteral("cat.jpg"), QSize(60, 60)));
        QVERIFY(putPicture(installed.path(), QStringLiteral("duck.jpg"), QSize(90, 70)));
        QVERIFY(putSound(installed.path(), QStringLiteral("duck.wav")));
        QVERIFY(QDir::setCurrent(working.path()));

        QCOMPARE(platform->loadPicture(QStringLiteral("animals\\duck.jpg")).size(), QSize(90, 70));
        QCOMPARE(resolvedIn(QStringLiteral("loadPicture"), QStringLiteral("animals\\duck.jpg")),
                 absolute(installed.filePath(QStringLiteral("animals/duck.jpg"))));
        QCOMPARE(platform->loadPicture(QStringLiteral("animals\\cat.jpg")).size(), QSize(20, 20));
        platform->playSound(QStringLiteral("sounds\\duck.wav"));
        QCOMPARE(resolvedIn(QStringLiteral("playSound"), QStringLiteral("sounds\\duck.wav")),
                 absolute(installed.filePath(QStringLiteral("sounds/duck.wav"))));
    }

    void aFileInNeitherPlaceIsMissing()
    {
        QTemporaryDir working;
        const QDir installed(installedDir->path());
        QVERIFY(putPicture(installed.path(), QStringLiteral("duck.jpg"), QSize(90, 70)));
        QVERIFY(QDir::setCurrent(working.path()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Owl\\.jpg")));
        QVERIFY(platform->loadPicture(QStringLiteral("animals\\Owl.jpg")).isNull());
        QCOMPARE(resolvedIn(QStringLiteral("loadPicture"), QStringLiteral("animals\\Owl.jpg")),
                 QStringLiteral("no picture (not found)"));
    }
};

QTEST_MAIN(TestDataRoots)
#include "test_data_roots.moc"
