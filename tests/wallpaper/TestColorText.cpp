#include "app/platform/Errors.h"
#include "wallpaper/ColorText.h"

#include <QTest>

class TestColorText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void read_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("color");
        QTest::addColumn<QString>("written");
        QTest::newRow("black") << "0 0 0" << 0x000000u << "0 0 0";
        QTest::newRow("white") << "255 255 255" << 0xFFFFFFu << "255 255 255";
        QTest::newRow("blue-grey") << "58 110 165" << 0xA56E3Au << "58 110 165";
        QTest::newRow("empty blue") << "58 110 " << 0x006E3Au << "58 110 0";
        QTest::newRow("red carries") << "300 0 0" << 0x00012Cu << "44 1 0";
        QTest::newRow("leading zeros") << "007 010 0255" << 0xFF0A07u << "7 10 255";
        QTest::newRow("green carries into blue") << "0 256 0" << 0x010000u << "0 0 1";
        QTest::newRow("blue beyond a byte") << "0 0 256" << 0x1000000u << "0 0 0";
        QTest::newRow("signed red") << "+1 2 3" << 0x030201u << "1 2 3";
    }
    void read() {
        QFETCH(QString, text);
        QFETCH(uint, color);
        QFETCH(QString, written);
        QCOMPARE(colorFromText(text), color);
        QCOMPARE(colorToText(color), written);
    }

    void malformed_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("one field") << "58";
        QTest::newRow("two fields") << "58 110";
        QTest::newRow("doubled space") << "58  110 165";
        QTest::newRow("empty red") << " 110 165";
        QTest::newRow("letters") << "58 abc 165";
        QTest::newRow("trailing space after blue") << "58 110 165 ";
        QTest::newRow("signed blue") << "58 110 -5";
        QTest::newRow("tab separated") << "58\t110\t165";
        QTest::newRow("beyond 32 bits") << "4294967296 0 0";
        QTest::newRow("hex") << "0x3A 110 165";
    }
    void malformed() {
        QFETCH(QString, text);
        try {
            colorFromText(text);
            QFAIL("a malformed colour was accepted");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(u'"' + text + u'"'), qPrintable(error.text()));
        }
    }

    void pack_data() {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<uint>("color");
        QTest::newRow("components") << 0x3A << 0x6E << 0xA5 << 0xA56E3Au;
        QTest::newRow("no masking") << 300 << 0 << 0 << 0x12Cu;
        QTest::newRow("all carry") << 256 << 256 << 256 << 0x1010100u;
        QTest::newRow("negative wraps") << -1 << 0 << 0 << 0xFFFFFFFFu;
    }
    void pack() {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(uint, color);
        QCOMPARE(RGBToColor(red, green, blue), color);
    }

    void writerUsesLowThreeBytes() {
        QCOMPARE(colorToText(0xFFA56E3Au), QStringLiteral("58 110 165"));
    }
};

QTEST_APPLESS_MAIN(TestColorText)
#include "TestColorText.moc"
