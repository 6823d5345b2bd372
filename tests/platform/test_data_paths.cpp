#include "platform/data_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Data paths: the program's backslash paths found on a case-sensitive file system.
class TestDataPaths : public QObject
{
    Q_OBJECT

private:
    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

private slots:
    void mixedCaseFolderAndFileAreFound()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Animals")));
        touch(root.filePath(QStringLiteral("Animals/duck.JPG")));

        const DataPaths paths({root.path()});
        const QString found = paths.resolveFile(QStringLiteral("animals\\Duck.jpg"));
        QCOMPARE(found, QFileInfo(root.filePath(QStringLiteral("Animals/duck.JPG"))).absoluteFilePath());
        // Forward slashes too.
        QCOMPARE(paths.resolveFile(QStringLiteral("ANIMALS/DUCK.jpg")), found);
    }

    void exactSpellingWinsOverOtherCases()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("sounds")));
        touch(root.filePath(QStringLiteral("sounds/HIPPO.wav")));
        touch(root.filePath(QStringLiteral("sounds/hippo.wav")));
        touch(root.filePath(QStringLiteral("sounds/Hippo.wav")));

        const DataPaths paths({root.path()});
        for (const QString &name : {QStringLiteral("HIPPO.wav"), QStringLiteral("hippo.wav"), QStringLiteral("Hippo.wav")}) {
            QCOMPARE(QFileInfo(paths.resolveFile(QStringLiteral("sounds\\") + name)).fileName(), name);
        }
    }

    void bothSpellingsOfAFolderAreSearched()
    {
        // "Sounds" holds nothing useful; the file is only in "sounds".
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Sounds")));
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("sounds")));
        touch(root.filePath(QStringLiteral("sounds/cow.wav")));

        const DataPaths paths({root.path()});
        QCOMPARE(paths.resolveFile(QStringLiteral("SOUNDS\\COW.WAV")),
                 QFileInfo(root.filePath(QStringLiteral("sounds/cow.wav"))).absoluteFilePath());
    }

    void missingGivesEmpty()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("sounds")));
        const DataPaths paths({root.path()});
        QVERIFY(paths.resolveFile(QStringLiteral("sounds\\owl.wav")).isEmpty());
        QVERIFY(paths.resolveFile(QStringLiteral("nowhere\\owl.wav")).isEmpty());
        QVERIFY(paths.resolveFile(QString()).isEmpty());
    }

    void folderWhereAFileShouldBeDoesNotCount()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("sounds/duck.wav")));
        const DataPaths paths({root.path()});
        QVERIFY(paths.resolveFile(QStringLiteral("sounds\\duck.wav")).isEmpty());
        // ...and a file where a folder should be neither.
        touch(root.filePath(QStringLiteral("animals")));
        QVERIFY(paths.resolveFile(QStringLiteral("animals\\duck.jpg")).isEmpty());
        QVERIFY(paths.resolveDir(QStringLiteral("animals")).isEmpty());
        QCOMPARE(paths.resolveDir(QStringLiteral("SOUNDS")),
                 QFileInfo(root.filePath(QStringLiteral("sounds"))).absoluteFilePath());
    }

    void rootsAreSearchedInOrder()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        QVERIFY(QDir(first.path()).mkpath(QStringLiteral("animals")));
        QVERIFY(QDir(second.path()).mkpath(QStringLiteral("animals")));
        touch(first.filePath(QStringLiteral("animals/duck.jpg")));
        touch(second.filePath(QStringLiteral("animals/duck.jpg")));
        touch(second.filePath(QStringLiteral("animals/owl.jpg")));

        DataPaths paths({first.path()});
        QVERIFY(paths.resolveFile(QStringLiteral("animals\\owl.jpg")).isEmpty());
        paths.appendRoot(second.path());
        QVERIFY(paths.resolveFile(QStringLiteral("animals\\duck.jpg")).startsWith(QFileInfo(first.path()).absoluteFilePath()));
        QVERIFY(paths.resolveFile(QStringLiteral("animals\\owl.jpg")).startsWith(QFileInfo(second.path()).absoluteFilePath()));
    }

    void relativeRootFollowsTheWorkingDirectory()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Animals")));
        touch(root.filePath(QStringLiteral("Animals/Owl.jpg")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.path()));
        const QString found = DataPaths().resolveFile(QStringLiteral("animals\\owl.jpg"));
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(found, QFileInfo(root.filePath(QStringLiteral("Animals/Owl.jpg"))).canonicalFilePath());
    }
};

QTEST_GUILESS_MAIN(TestDataPaths)
#include "test_data_paths.moc"
