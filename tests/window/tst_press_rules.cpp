// The locked mode's press rules without a window: one bar press per press of the child, whether a
// palm on the keyboard or a held key, and the word that leaves, by letter or by key position.

#include "window/press_rules.h"

#include <QKeySequence>
#include <QTest>

class PressRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // Key scripts: "+A" presses A, "*A" is A repeating while held, "-A" releases it, "A" is "+A -A";
    // "A:24" is A on the key of scan code 24 (none given: none known). "!" takes the activation from
    // the window. A second passes between two steps; "." is a second of nothing, "~" a minute.
    // Each press's outcome: b works the bar, j joins a press, w is a step of the word, L leaves.
    void outcomesPerKeyScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("outcomes");
        QTest::newRow("keys one after another") << "A B C" << "bbb";
        QTest::newRow("Alt+F4") << "+Alt +F4 -F4 -Alt" << "bj";
        QTest::newRow("chord of five") << "+A +S +D +F +G -S -G -A -F -D" << "bjjjj";
        QTest::newRow("rolling palm") << "+A +S -A +D -S +F -D -F" << "bjjj";
        QTest::newRow("held key repeats") << "+A *A *A *A -A B" << "bb";
        QTest::newRow("quit letter held") << "+Q +X -X -Q" << "wj";
        QTest::newRow("release unseen, key again") << "+A +A -A +B -B" << "bbb";
        QTest::newRow("release unseen, window left") << "+A ! +B -B" << "bb";
        QTest::newRow("held 4 s unseen") << "+A . . . +B" << "bj";
        QTest::newRow("held 6 s unseen: stuck") << "+A . . . . . +B" << "bb";
        QTest::newRow("held by autorepeat") << "+A +B -B *A ~ *A +C -C -A" << "bjj";
        QTest::newRow("scan codes tell keys apart") << "+A:38 +A:39 -A:38 -A:39 A:38" << "bjb";
        QTest::newRow("word, stray key, word again") << "Q U X I T Q Q U I T T" << "wwbbbwwwwLb";
        QTest::newRow("word held key by key") << "+Q +U -Q +I -U +T" << "wwwL";
        QTest::newRow("letters where AZERTY has them") << "Q:38 U:30 I:31 T:28" << "wwwL";
        QTest::newRow("positions, stray key, again") << "Й:24 Г:30 Ф:38 Й:24 Й:24 Г:30 Ш:31 Е:28" << "wwbwwwwL";
        QTest::newRow("letter then positions: no word") << "Q:38 Г:30 Ш:31 Е:28" << "wbbb";
        QTest::newRow("position then letters: no word") << "Й:24 U:22 I:23 T:17" << "wbbb";
    }
    void outcomesPerKeyScript()
    {
        QFETCH(QString, script);
        QFETCH(QString, outcomes);
        KeyPresses keys;
        QString seen;
        quint64 time = 0;
        for (const QString &step : script.split(' ')) {
            time += step == "~" ? 60000 : 1000;
            if (step == "!")
                keys.forget();
            if (step == "!" || step == "." || step == "~")
                continue;
            const QChar sign = step[0];
            const bool tap = !QStringLiteral("+-*").contains(sign);
            const QString name = step.mid(tap ? 0 : 1).section(':', 0, 0);
            const quint32 code = step.section(':', 1).toUInt();
            const int key = name == "Alt" ? int(Qt::Key_Alt) : name.size() == 1 ? name[0].unicode() : int(QKeySequence(name)[0].key());
            const auto kind = sign == '-' ? KeyPresses::Release : sign == '*' ? KeyPresses::Repeat : KeyPresses::Press;
            const KeyPresses::Outcome outcome = keys.take(kind, key, code, time);
            if (kind == KeyPresses::Press)
                seen += QStringLiteral(".bjLw").at(outcome);
            if (tap)
                keys.take(KeyPresses::Release, key, code, time);
        }
        QCOMPARE(seen, outcomes);
    }
};

QTEST_MAIN(PressRulesTest)
#include "tst_press_rules.moc"
