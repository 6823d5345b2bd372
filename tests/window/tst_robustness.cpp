// A toddler at the keyboard: long bursts of presses, and random actions on every control at any
// moment, pauses included. Nothing may crash, hang or leave the window in a state it never has.

#include "window_harness.h"

#include <QFile>
#include <QTimer>

#include <random>

namespace {

// Resident memory of this process, in KiB.
long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * 4 : -1;
}

// A platform that keeps no record (the soak runs for millions of passes) and runs an action
// every `interval` passes while `remaining` lasts.
class PressingPlatform : public RecordingPlatform
{
public:
    void processEventsOnce() override
    {
        ++passes;
        if (--countdown == 0) {
            countdown = interval;
            if (action)
                action();
        }
    }
    void speak(const QString &) override {}
    void playSound(const QString &) override {}
    QPixmap loadPicture(const QString &) override { return picture; }
    void openExternal(const QString &) override {}

    void setInterval(long passesBetweenActions) { interval = countdown = passesBetweenActions; }

    std::function<void()> action;
    QPixmap picture = QPixmap(216, 226);

private:
    long interval = 0;
    long countdown = 0;
};

QString checkInvariants(const Form1 &form)
{
    const WindowState &s = form.state();
    bool known = false;
    for (const AnimalRow &row : AnimalCatalogue)
        known = known || s.CurrentAnimal == QLatin1String(row.displayName);
    if (!known)
        return QStringLiteral("CurrentAnimal is ") + s.CurrentAnimal;
    for (const QString &flag : s.SelectionFlag) {
        if (!flag.isEmpty() && flag != FlagSet)
            return QStringLiteral("a selection flag is ") + flag;
    }
    if (!s.AllSelectedFlag.isEmpty() && s.AllSelectedFlag != FlagSet)
        return QStringLiteral("AllSelectedFlag is ") + s.AllSelectedFlag;
    if (s.MarkColorIndex < 1 || s.MarkColorIndex > 8)
        return QStringLiteral("MarkColorIndex is %1").arg(s.MarkColorIndex);
    if (s.BarPhase != 1 && s.BarPhase != 2)
        return QStringLiteral("BarPhase is %1").arg(s.BarPhase);
    if (form.pauseDepth() > Form1::MaxPauseNesting)
        return QStringLiteral("pauses nest %1 deep").arg(form.pauseDepth());
    return QString();
}

long fromEnvironment(const char *name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class RobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    // Ten thousand presses, each in the middle of the pause the one before started: the nesting
    // stops at its bound, and once the presses stop, the pauses unwind and the bar works as before.
    void mashingTheSpaceBarStaysBounded()
    {
        PressingPlatform platform;
        Form1 form(platform);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto *bar = form.findChild<QPushButton *>(QStringLiteral("cmd123"));
        QTest::mouseClick(bar, Qt::LeftButton);

        int presses = 10000, deepest = 0;
        platform.setInterval(997);
        platform.action = [&] {
            deepest = std::max(deepest, form.pauseDepth());
            if (presses-- > 0)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        };
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);

        QCOMPARE(deepest, Form1::MaxPauseNesting);
        QCOMPARE(form.pauseDepth(), 0);
        QVERIFY(presses < 0);
        QCOMPARE(checkInvariants(form), QString());
        QCOMPARE(QApplication::focusWidget(), bar);

        // An ordinary press afterwards goes through.
        platform.action = nullptr;
        const qint16 phase = form.state().BarPhase;
        QTest::keyClick(bar, Qt::Key_Space);
        QCOMPARE(form.state().BarPhase, phase == 1 ? 2 : 1);
    }

    // Random clicks, key presses and clock ticks, at the top level and inside pauses.
    // ZUBIKO_SOAK_SEED replays a run; ZUBIKO_SOAK_ACTIONS sets its length.
    void soak()
    {
        const auto seed = static_cast<std::mt19937::result_type>(fromEnvironment("ZUBIKO_SOAK_SEED", 20261206));
        const long total = fromEnvironment("ZUBIKO_SOAK_ACTIONS", 100000);
        std::mt19937 random(seed);

        PressingPlatform platform;
        Form1 form(platform);
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QList<QWidget *> targets;
        for (const char *name : {"cmd123", "cmdClearAllGreen", "cmdSpaceBar", "imgCenter", "lblName", "imgSound",
                                 "Label1", "Label4", "Label5", "Label6", "tts", "Shape1"})
            targets << form.findChild<QWidget *>(QLatin1String(name));
        for (const AnimalRow &row : AnimalCatalogue)
            targets << form.findChild<QWidget *>(QLatin1String(row.button));
        QVERIFY(!targets.contains(nullptr));
        auto *bar = targets.first();

        long done = 0;
        QString broken;
        std::function<void()> act = [&] {
            if (done >= total || !broken.isEmpty())
                return;
            ++done;
            const auto pick = random() % 100;
            if (pick < 6) {
                QTest::mouseClick(bar, Qt::LeftButton);
            } else if (pick < 14) {
                if (QWidget *focused = QApplication::focusWidget())
                    QTest::keyClick(focused, Qt::Key_Space);
            } else if (pick < 18) {
                if (QWidget *focused = QApplication::focusWidget())
                    QTest::keyClick(focused, Qt::Key_Tab);
            } else if (pick < 20) {
                form.Timer1_Timer();
            } else {
                QTest::mouseClick(targets.at(static_cast<int>(random() % static_cast<unsigned>(targets.size()))),
                                  Qt::LeftButton);
            }
            const QString failure = checkInvariants(form);
            if (!failure.isEmpty())
                broken = QStringLiteral("after action %1 (seed %2): %3").arg(done).arg(seed).arg(failure);
        };
        // About one action inside every long pause, a few inside the short ones.
        platform.setInterval(150001);
        platform.action = act;

        long before = 0;
        while (done < total && broken.isEmpty()) {
            act();
            if (before == 0 && done >= total / 10)
                before = residentKiB(); // measured once the caches have filled
        }
        const long after = residentKiB();
        qInfo("soak: %ld actions, seed %lu, %ld passes, resident memory %ld KiB after %ld actions, %ld KiB at "
              "the end",
              done, static_cast<unsigned long>(seed), platform.passes, before, total / 10, after);
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
        QCOMPARE(form.pauseDepth(), 0);
#ifndef __SANITIZE_ADDRESS__ // AddressSanitizer holds freed memory back in quarantine
        QVERIFY2(after - before < 2048, "resident memory grew by more than 2 MiB");
#endif
    }
};

QTEST_MAIN(RobustnessTest)
#include "tst_robustness.moc"
