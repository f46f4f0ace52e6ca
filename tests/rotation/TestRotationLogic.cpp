#include "rotation/Countdown.h"
#include "rotation/RotationPool.h"

#include <QTest>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

Q_DECLARE_METATYPE(Countdown)

class TestRotationLogic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneTick_data();
    void oneTick();
    void periodRunsOutAfterItsLengthInTicks_data();
    void periodRunsOutAfterItsLengthInTicks();
    void defaultPeriodShowsEverySecondDownToOne();
    void storedValuesOutOfRangeStillRunOut_data();
    void storedValuesOutOfRangeStillRunOut();
    void formatTime_data();
    void formatTime();
    void drawIsTheRemainderOfTheDraw_data();
    void drawIsTheRemainderOfTheDraw();
    void drawingAndRemovingShowsEachEntryOncePerCycle_data();
    void drawingAndRemovingShowsEachEntryOncePerCycle();
};

void TestRotationLogic::oneTick_data() {
    QTest::addColumn<Countdown>("before");
    QTest::addColumn<Countdown>("after");
    QTest::newRow("default period") << Countdown{0, 1, 0} << Countdown{0, 0, 59};
    QTest::newRow("plain second") << Countdown{0, 0, 2} << Countdown{0, 0, 1};
    QTest::newRow("last second") << Countdown{0, 0, 1} << Countdown{0, 0, 0};
    QTest::newRow("minutes borrow") << Countdown{0, 5, 0} << Countdown{0, 4, 59};
    QTest::newRow("hours borrow") << Countdown{1, 0, 0} << Countdown{0, 59, 59};
    QTest::newRow("longest period") << Countdown{24, 59, 59} << Countdown{24, 59, 58};
    QTest::newRow("hour and minute borrow") << Countdown{24, 0, 0} << Countdown{23, 59, 59};
    // Only stored settings hold all zeros: the hours stay at 0 and an hour goes by.
    QTest::newRow("all zeros") << Countdown{0, 0, 0} << Countdown{0, 59, 59};
}

void TestRotationLogic::oneTick() {
    QFETCH(Countdown, before);
    QFETCH(Countdown, after);
    before.tick();
    QCOMPARE(FormatTime(before), FormatTime(after));
    QVERIFY(before == after);
}

void TestRotationLogic::periodRunsOutAfterItsLengthInTicks_data() {
    QTest::addColumn<Countdown>("period");
    QTest::addColumn<int>("ticks");
    QTest::newRow("one second") << Countdown{0, 0, 1} << 1;
    QTest::newRow("one minute") << Countdown{0, 1, 0} << 60;
    QTest::newRow("one hour") << Countdown{1, 0, 0} << 3600;
    QTest::newRow("1:01:01") << Countdown{1, 1, 1} << 3661;
    QTest::newRow("longest") << Countdown{24, 59, 59} << 89999;
    QTest::newRow("all zeros") << Countdown{0, 0, 0} << 3600;
}

void TestRotationLogic::periodRunsOutAfterItsLengthInTicks() {
    QFETCH(Countdown, period);
    QFETCH(int, ticks);
    Countdown c = period;
    int n = 0;
    do {
        c.tick();
        ++n;
        QVERIFY2(c.hours >= 0 && c.minutes >= 0 && c.minutes <= 59 && c.seconds >= 0 &&
                     c.seconds <= 59,
                 qPrintable(FormatTime(c)));
    } while (!c.isZero() && n <= ticks);
    QCOMPARE(n, ticks);
}

void TestRotationLogic::defaultPeriodShowsEverySecondDownToOne() {
    Countdown c;
    QCOMPARE(FormatTime(c), QStringLiteral("00:01:00"));
    for (int left = 59; left >= 1; --left) {
        c.tick();
        QCOMPARE(FormatTime(c), QStringLiteral("00:00:%1").arg(left, 2, 10, QLatin1Char('0')));
    }
    c.tick();
    QVERIFY(c.isZero());
}

void TestRotationLogic::storedValuesOutOfRangeStillRunOut_data() {
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    QTest::addColumn<Countdown>("start");
    QTest::addColumn<Countdown>("afterOneTick");
    QTest::newRow("negative seconds") << Countdown{0, 2, -5} << Countdown{0, 1, 59};
    QTest::newRow("negative minutes") << Countdown{1, -3, 10} << Countdown{0, 59, 9};
    QTest::newRow("negative hours") << Countdown{-2, 0, 30} << Countdown{0, 0, 29};
    QTest::newRow("smallest everywhere")
        << Countdown{lowest, lowest, lowest} << Countdown{0, 59, 59};
    QTest::newRow("seconds above 59") << Countdown{0, 0, 100} << Countdown{0, 0, 99};
    QTest::newRow("largest seconds") << Countdown{0, 0, highest} << Countdown{0, 0, highest - 1};
}

// Only stored settings hold such values; whatever they are, no field is left negative after
// a tick, and the countdown still reaches zero instead of running away from it.
void TestRotationLogic::storedValuesOutOfRangeStillRunOut() {
    QFETCH(Countdown, start);
    QFETCH(Countdown, afterOneTick);
    Countdown c = start;
    c.tick();
    QCOMPARE(FormatTime(c), FormatTime(afterOneTick));
    if (start.seconds < 1000) {
        int n = 0;
        while (!c.isZero() && n < 100000) {
            c.tick();
            ++n;
        }
        QVERIFY(c.isZero());
    }
}

void TestRotationLogic::formatTime_data() {
    QTest::addColumn<Countdown>("countdown");
    QTest::addColumn<QString>("text");
    QTest::newRow("zeros") << Countdown{0, 0, 0} << QStringLiteral("00:00:00");
    QTest::newRow("seven") << Countdown{7, 7, 7} << QStringLiteral("07:07:07");
    QTest::newRow("ten") << Countdown{10, 10, 10} << QStringLiteral("10:10:10");
    QTest::newRow("longest") << Countdown{24, 59, 59} << QStringLiteral("24:59:59");
    QTest::newRow("three digits") << Countdown{100, 0, 9} << QStringLiteral("100:00:09");
}

void TestRotationLogic::formatTime() {
    QFETCH(Countdown, countdown);
    QFETCH(QString, text);
    QCOMPARE(FormatTime(countdown), text);
}

void TestRotationLogic::drawIsTheRemainderOfTheDraw_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<quint32>("r");
    QTest::addColumn<int>("k");
    QTest::newRow("one entry") << 1 << 4000000000U << 0;
    QTest::newRow("below n") << 3 << 2U << 2;
    QTest::newRow("wraps") << 3 << 7U << 1;
    QTest::newRow("largest draw") << 50 << 4294967295U << 45;
    QTest::newRow("zero") << 50 << 0U << 0;
}

void TestRotationLogic::drawIsTheRemainderOfTheDraw() {
    QFETCH(int, size);
    QFETCH(quint32, r);
    QFETCH(int, k);
    RotationPool pool;
    QStringList entries;
    for (int i = 0; i < size; ++i)
        entries << QStringLiteral("/p/%1.bmp").arg(i);
    pool.fill(entries);
    QCOMPARE(pool.entries(), entries);
    QCOMPARE(pool.draw(r), qsizetype(k));
}

void TestRotationLogic::drawingAndRemovingShowsEachEntryOncePerCycle_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
    QTest::newRow("50") << 50;
}

void TestRotationLogic::drawingAndRemovingShowsEachEntryOncePerCycle() {
    QFETCH(int, size);
    QStringList list;
    for (int i = 0; i < size; ++i)
        list << QStringLiteral("/p/%1.bmp").arg(i);
    std::mt19937 random(7);
    RotationPool pool;
    for (int cycle = 0; cycle < 3; ++cycle) {
        QStringList shown;
        for (int pick = 0; pick < size; ++pick) {
            if (pool.isEmpty())
                pool.fill(list);
            const qsizetype k = pool.draw(random() >> 1);
            shown << pool.at(k);
            pool.removeAt(k);
        }
        QVERIFY(pool.isEmpty());
        shown.sort();
        QStringList expected = list;
        expected.sort();
        QCOMPARE(shown, expected);
    }
}

QTEST_APPLESS_MAIN(TestRotationLogic)
#include "TestRotationLogic.moc"
