// The folders the program looks in for its pictures and sounds, in the order it looks in them.
#include "platform/data_paths.h"

#include <QTest>

class DataRootsTest : public QObject
{
    Q_OBJECT

private slots:
    void order()
    {
        const QString data = QStringLiteral("../share/zubiko");
        // Installed into another prefix than the configured one, or moved: the working directory,
        // then the data beside the binary, then the configured prefix's.
        QCOMPARE(programDataRoots("/opt/zubiko/bin", data, "/usr/local/share/zubiko"),
                 (QStringList{".", "/opt/zubiko/share/zubiko", "/usr/local/share/zubiko"}));
        // Where it was configured to be: that folder once, however it is written.
        QCOMPARE(programDataRoots("/usr/local/bin", data, "/usr/local/share/zubiko"),
                 (QStringList{".", "/usr/local/share/zubiko"}));
        QCOMPARE(programDataRoots("/usr/bin/", data, "/usr/share//zubiko/"), (QStringList{".", "/usr/share/zubiko"}));
    }
};

QTEST_APPLESS_MAIN(DataRootsTest)
#include "tst_data_roots.moc"
