// The program's backslash data paths found, from relative roots, on a file system where letter case matters.

#include "platform/data_paths.h"

#include <QtTest>

class DataPathsTest : public QObject
{
    Q_OBJECT

private slots:
    void resolveFile_data()
    {
        QTest::addColumn<QStringList>("onDisk"); // under the roots 1 and 2; a folder when it ends in '/'
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("other cases") << QStringList{"1/Animals/duck.JPG"} << "animals\\Duck.jpg" << "1/Animals/duck.JPG";
        QTest::newRow("forward slashes") << QStringList{"1/Animals/duck.JPG"} << "ANIMALS/DUCK.jpg" << "1/Animals/duck.JPG";
        QTest::newRow("exact spelling") << QStringList{"1/sounds/HIPPO.wav", "1/sounds/Hippo.wav", "1/sounds/hippo.wav"}
                                        << "sounds\\Hippo.wav" << "1/sounds/Hippo.wav";
        QTest::newRow("both spellings of a folder") << QStringList{"1/Sounds/", "1/sounds/cow.wav"} << "SOUNDS\\COW.WAV"
                                                    << "1/sounds/cow.wav";
        QTest::newRow("folder named as the file") << QStringList{"1/sounds/duck.wav/"} << "sounds\\duck.wav" << "";
        QTest::newRow("file named as the folder") << QStringList{"1/animals"} << "animals\\duck.jpg" << "";
        QTest::newRow("first root first") << QStringList{"1/animals/duck.jpg", "2/animals/duck.jpg"} << "animals\\duck.jpg"
                                          << "1/animals/duck.jpg";
        QTest::newRow("then the second") << QStringList{"1/animals/", "2/Animals/owl.jpg"} << "animals\\owl.jpg"
                                         << "2/Animals/owl.jpg";
        QTest::newRow("nowhere") << QStringList{"1/sounds/", "2/"} << "sounds\\owl.wav" << "";
    }
    void resolveFile()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString &path : onDisk) {
            QFile file(dir.filePath(path));
            QVERIFY(QDir().mkpath(path.endsWith('/') ? file.fileName() : QFileInfo(file).path()));
            QVERIFY(path.endsWith('/') || (file.open(QIODevice::WriteOnly) && file.write("x") == 1));
        }
        const DataPaths paths({"1", "2"}); // relative: resolved against the working directory of the moment
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString resolved = paths.resolveFile(asked);
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(resolved, found.isEmpty() ? "" : QFileInfo(dir.path()).canonicalFilePath() + '/' + found);
    }
};

QTEST_GUILESS_MAIN(DataPathsTest)
#include "tst_data_paths.moc"
