// zubiko_floor: the floor of the launch benchmark, a bare Qt Widgets window of Zubiko's size.
// What any such window costs before its first frame, on the same machine and in the same run,
// is what Zubiko's launch is compared with.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Zubiko"));
    label.resize(1016, 736);
    label.show();
    return app.exec();
}
