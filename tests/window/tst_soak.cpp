// A toddler at the keyboard for a long time: random actions on every control at any moment,
// pauses included. Nothing may crash, hang or leave the window in a state it never has (the
// benchmark watches memory). ZUBIKO_SOAK_SEED replays a run; ZUBIKO_SOAK_ACTIONS sets its length.

#include "window_harness.h"

#include <random>

namespace {

QString brokenInvariant(const WindowState &s, int depth)
{
    if (s.CurrentAnimal.isEmpty())
        return QStringLiteral("no animal on show");
    for (const QString &flag : s.SelectionFlag) {
        if (!flag.isEmpty() && flag != FlagSet)
            return QStringLiteral("a selection flag is ") + flag;
    }
    if (s.MarkColorIndex < 1 || s.MarkColorIndex > 8)
        return QStringLiteral("MarkColorIndex is %1").arg(s.MarkColorIndex);
    if (s.BarPhase != 1 && s.BarPhase != 2)
        return QStringLiteral("BarPhase is %1").arg(s.BarPhase);
    if (depth > 16)
        return QStringLiteral("pauses nest %1 deep").arg(depth);
    return {};
}

long fromEnvironment(const char *name, long fallback)
{
    bool ok = false;
    const long value = qEnvironmentVariable(name).toLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void randomActionsAnywhere()
    {
        const auto seed = static_cast<std::mt19937::result_type>(fromEnvironment("ZUBIKO_SOAK_SEED", 20261206));
        const long total = fromEnvironment("ZUBIKO_SOAK_ACTIONS", 100000);
        std::mt19937 random(seed);
        WindowHarness w;
        w.platform.recording = false;
        QStringList targets = {"cmd123", "cmdClearAllGreen", "cmdSpaceBar", "imgCenter", "lblName", "imgSound",
                               "Label1", "Label4", "Label5", "Label6", "tts", "Shape1"};
        for (const AnimalRow &row : AnimalCatalogue)
            targets << QLatin1String(row.button);

        long done = 0;
        QString broken;
        const auto act = [&] {
            if (done >= total || !broken.isEmpty())
                return;
            ++done;
            const auto pick = random() % 100;
            if (pick < 6)
                w.click("cmd123");
            else if (pick < 14)
                w.press(Qt::Key_Space);
            else if (pick < 18)
                w.press(Qt::Key_Tab);
            else if (pick < 20)
                w.form->Timer1_Timer();
            else
                w.click(targets.at(static_cast<int>(random() % static_cast<unsigned>(targets.size()))));
            const QString failure = brokenInvariant(w.state(), w.form->pauseDepth());
            if (!failure.isEmpty())
                broken = QStringLiteral("after action %1 (seed %2): %3").arg(done).arg(seed).arg(failure);
        };
        w.platform.every(150001, act); // about one action inside every long pause

        while (done < total && broken.isEmpty())
            act();
        qInfo("soak: %ld actions, seed %lu, %ld passes", done, static_cast<unsigned long>(seed), w.platform.passes);
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
        QCOMPARE(w.form->pauseDepth(), 0);
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"
