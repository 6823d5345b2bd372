#include "platform/random_source.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <set>

// The random source as the program uses it: reseeded before every draw, often within one tick.
class TestRandomSource : public QObject
{
    Q_OBJECT

private slots:
    void drawsKeepChangingWhileTheClockStandsStill()
    {
        RandomSource random([] { return std::uint64_t{123456789}; });
        std::set<float> seen;
        for (int i = 0; i < 200; ++i) {
            random.randomize();
            seen.insert(random.next());
        }
        // 200 draws from 2^24 values: a repeat or two is possible, a stuck sequence is not.
        QVERIFY2(seen.size() >= 195, qPrintable(QString::number(seen.size())));
    }

    void reseedingAtTheSameClockValueDoesNotRestartTheSequence()
    {
        RandomSource random([] { return std::uint64_t{42}; });
        random.randomize();
        const float first = random.next();
        random.randomize();
        const float second = random.next();
        QVERIFY(first != second); // equal one time in 2^24
    }

    void drawsStayInTheUnitIntervalAtSinglePrecision()
    {
        RandomSource random;
        for (int i = 0; i < 100000; ++i) {
            const float r = random.next();
            QVERIFY(r >= 0.0f);
            QVERIFY(r < 1.0f);
            // A multiple of 2^-24, so that it never rounds to 1 in later float arithmetic.
            const float scaled = r * 16777216.0f;
            QCOMPARE(scaled, std::floor(scaled));
        }
    }

    void largestDrawPicksTheLastOfThirty()
    {
        // The program picks one of 30 animals as Int(r * 30) + 1: the largest r there can be
        // must give 30, never 31, in float and in double.
        const float largest = std::nextafter(1.0f, 0.0f);
        QCOMPARE(largest, 1.0f - 1.0f / 16777216.0f);
        QCOMPARE(static_cast<int>(std::floor(largest * 30.0f + 1.0f)), 30);
        QCOMPARE(static_cast<int>(std::floor(static_cast<double>(largest) * 30.0 + 1.0)), 30);
    }

    void thirtyBinsAreRoughlyUniform()
    {
        std::uint64_t tick = 0;
        RandomSource random([&tick] { return tick / 1000; }); // the clock moves slowly
        constexpr int kBins = 30;
        constexpr int kDraws = 60000;
        int bins[kBins] = {};
        for (int i = 0; i < kDraws; ++i) {
            ++tick;
            random.randomize();
            const int bin = static_cast<int>(random.next() * kBins);
            QVERIFY(bin >= 0 && bin < kBins);
            ++bins[bin];
        }
        // Chi-squared with 29 degrees of freedom: 0.1 % of fair runs exceed 58.3.
        const double expected = static_cast<double>(kDraws) / kBins;
        double chi2 = 0;
        for (int count : bins)
            chi2 += (count - expected) * (count - expected) / expected;
        QVERIFY2(chi2 < 58.3, qPrintable(QString::number(chi2)));
    }
};

QTEST_GUILESS_MAIN(TestRandomSource)
#include "test_random_source.moc"
