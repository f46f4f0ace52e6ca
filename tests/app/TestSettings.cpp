#include "app/Picture1.h"
#include "app/platform/Errors.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "tray/Tray.h"

#include <QProgressBar>
#include <QTest>

#include <memory>

namespace {

const QString Product = RegistryKeys::Product;
const QString Run = RegistryKeys::Run;
const QString Colors = RegistryKeys::Colors;

// The product key as a first run leaves it.
void writeDefaults(ValueStore& store) {
    store.createKey(Product);
    store.writeBool(Product, QStringLiteral("MinimizeTell"), true);
    store.writeBool(Product, QStringLiteral("AutoStart"), false);
    store.writeBool(Product, QStringLiteral("Minimized"), true);
    store.writeString(Product, QStringLiteral("Position"), QStringLiteral("Determine"));
    store.writeString(Product, QStringLiteral("Hours"), QStringLiteral("0"));
    store.writeString(Product, QStringLiteral("Minutes"), QStringLiteral("1"));
    store.writeString(Product, QStringLiteral("Seconds"), QStringLiteral("0"));
}

// The product key's section of the settings file, lines sorted.
QStringList productSection(const ValueStore& store) {
    const QString text = QString::fromUtf8(store.serialize());
    QStringList lines =
        text.section(QStringLiteral("[HKEY_CURRENT_USER") + Product + QStringLiteral("]\n"), 1)
            .section(u'[', 0, 0)
            .trimmed()
            .split(u'\n', Qt::SkipEmptyParts);
    lines.sort();
    return lines;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    FakeUserDialogs dialogs;

    std::unique_ptr<TForm1> start() { return std::make_unique<TForm1>(*platform, dialogs); }

private Q_SLOTS:
    void init() {
        platform = std::make_unique<FakePlatform>();
        dialogs = FakeUserDialogs();
        platform->store.writeString(Colors, QStringLiteral("Background"),
                                    QStringLiteral("58 110 165"));
    }

    void firstRunWritesDefaultsAndRemovesStaleRunValue() {
        platform->store.writeString(Run, QStringLiteral("Tessary"), QStringLiteral("C:\\old.exe"));
        auto form = start();
        QCOMPARE(
            productSection(platform->store),
            QStringList({"\"AutoStart\"=dword:00000000", "\"Hours\"=\"0\"",
                         "\"MinimizeTell\"=dword:00000001", "\"Minimized\"=dword:00000000",
                         "\"Minutes\"=\"1\"", "\"Position\"=\"Determine\"", "\"Seconds\"=\"0\""}));
        QVERIFY(!platform->store.valueExists(Run, QStringLiteral("Tessary")));
        QVERIFY(!form->StartWithWindows);
        QCOMPARE(form->IntervalMs, 60000);
        QCOMPARE(form->ProgressBar1->maximum(), 60);
        QCOMPARE(form->BackgroundText, QStringLiteral("58 110 165"));
        QVERIFY(dialogs.errors.isEmpty());
    }

    void storedValuesAreLoaded() {
        writeDefaults(platform->store);
        platform->store.writeDword(Product, QStringLiteral("MinimizeTell"), 0);
        platform->store.writeDword(Product, QStringLiteral("AutoStart"), 2);
        platform->store.writeString(Product, QStringLiteral("Position"), QStringLiteral("Tile"));
        platform->store.writeString(Product, QStringLiteral("Hours"), QStringLiteral("2"));
        platform->store.writeString(Product, QStringLiteral("Minutes"), QStringLiteral("0"));
        platform->store.writeString(Product, QStringLiteral("Seconds"), QStringLiteral("30"));
        auto form = start();
        QVERIFY(!form->MinimizeTell);
        QVERIFY(form->AutoStart);
        QVERIFY(form->Minimized);
        QCOMPARE(form->Position, QStringLiteral("Tile"));
        QCOMPARE(form->countdown, (Countdown{2, 0, 30}));
        QCOMPARE(form->IntervalMs, 7230000);
        QCOMPARE(form->ProgressBar1->maximum(), 7230);
        // Out of sight: hidden, or, with no notification area to come back from, minimised.
        QVERIFY(TTray::IsAvailable() ? form->isHidden() : form->isMinimized());
    }

    void exitSavesWhatWasChanged() {
        writeDefaults(platform->store);
        {
            auto form = start();
            form->MinimizeTell = false;
            form->AutoStart = true;
            form->Minimized = false;
            form->Position = QStringLiteral("Stretch");
            form->countdown = {24, 59, 59};
            form->StartWithWindows = true;
            form->SaveRegistry();
        }
        QCOMPARE(platform->store.readString(Run, QStringLiteral("Tessary")),
                 platform->executablePath());
        auto again = start();
        QVERIFY(!again->MinimizeTell);
        QVERIFY(again->AutoStart);
        QVERIFY(!again->Minimized);
        QCOMPARE(again->Position, QStringLiteral("Stretch"));
        QCOMPARE(again->countdown, (Countdown{24, 59, 59}));
        QVERIFY(again->StartWithWindows);
        QCOMPARE(again->IntervalMs, 89999000);
    }

    void runValueIsRewrittenWithCurrentPath() {
        writeDefaults(platform->store);
        platform->store.writeString(Run, QStringLiteral("Tessary"), QStringLiteral("/moved/away"));
        auto form = start();
        QVERIFY(form->StartWithWindows);
        form->SaveRegistry();
        QCOMPARE(platform->store.readString(Run, QStringLiteral("Tessary")),
                 QStringLiteral("/opt/tessary/picture"));
    }

    void productKeyRemovedWhileRunning() {
        writeDefaults(platform->store);
        auto form = start();
        form->countdown = {0, 0, 5};
        // Everything but the system's keys is gone, as when the file was deleted by hand.
        platform->store.parse("REGEDIT4\n", QStringLiteral("test"));
        QVERIFY(!platform->store.keyExists(Product));
        form->SaveRegistry();
        QCOMPARE(platform->store.readString(Product, QStringLiteral("Seconds")),
                 QStringLiteral("5"));
        QVERIFY(platform->store.readBool(Product, QStringLiteral("MinimizeTell")));
    }

    void badValueEndsStartUp_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text"); // empty: the value is deleted
        QTest::newRow("Minutes abc") << "Minutes"
                                     << "abc";
        QTest::newRow("AutoStart deleted") << "AutoStart"
                                           << "";
        QTest::newRow("Minimized as text") << "Minimized"
                                           << "0";
        QTest::newRow("Hours beyond 32 bits") << "Hours"
                                              << "3000000000";
    }
    void badValueEndsStartUp() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        writeDefaults(platform->store);
        if (text.isEmpty())
            platform->store.deleteValue(Product, name);
        else
            platform->store.writeString(Product, name, text);
        const QByteArray before = platform->store.serialize();
        try {
            start();
            QFAIL("start-up went on with a bad setting");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(u'"' + name + u'"'), qPrintable(error.text()));
            if (!text.isEmpty())
                QVERIFY2(error.text().contains(text), qPrintable(error.text()));
        }
        QCOMPARE(platform->store.serialize(), before);
    }

    void deletedPositionIsEmpty() {
        writeDefaults(platform->store);
        platform->store.deleteValue(Product, QStringLiteral("Position"));
        auto form = start();
        QCOMPARE(form->Position, QString());
    }

    void outOfRangeNumbersAreKept_data() {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<int>("maximum");
        QTest::newRow("99 hours") << "99"
                                  << "0"
                                  << "0" << 356400;
        QTest::newRow("negative hours") << "-1"
                                        << "0"
                                        << "0" << 1;
        QTest::newRow("too large for milliseconds") << "2147483647"
                                                    << "59"
                                                    << "59" << 2147483;
        QTest::newRow("most negative") << "-2147483648"
                                       << "-2147483648"
                                       << "-2147483648" << 1;
    }
    void outOfRangeNumbersAreKept() {
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        QFETCH(QString, seconds);
        QFETCH(int, maximum);
        writeDefaults(platform->store);
        platform->store.writeString(Product, QStringLiteral("Hours"), hours);
        platform->store.writeString(Product, QStringLiteral("Minutes"), minutes);
        platform->store.writeString(Product, QStringLiteral("Seconds"), seconds);
        auto form = start();
        QCOMPARE(form->countdown, (Countdown{hours.toInt(), minutes.toInt(), seconds.toInt()}));
        QCOMPARE(form->ProgressBar1->maximum(), maximum);
        QCOMPARE(form->ProgressBar1->minimum(), 0);
        form->SaveRegistry();
        QCOMPARE(platform->store.readString(Product, QStringLiteral("Hours")), hours);
    }

    void backgroundColour_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("color");
        QTest::addColumn<bool>("error");
        QTest::newRow("well formed") << "58 110 165" << 0xA56E3Au << false;
        QTest::newRow("empty blue") << "58 110 " << 0x6E3Au << false;
        QTest::newRow("doubled space") << "58  110 165" << 0u << true;
        QTest::newRow("letters") << "red green blue" << 0u << true;
        QTest::newRow("missing") << "" << 0u << false;
    }
    void backgroundColour() {
        QFETCH(QString, text);
        QFETCH(uint, color);
        QFETCH(bool, error);
        if (text.isEmpty())
            platform->store.deleteValue(Colors, QStringLiteral("Background"));
        else
            platform->store.writeString(Colors, QStringLiteral("Background"), text);
        auto form = start();
        QCOMPARE(form->DesktopColor, color);
        QCOMPARE(dialogs.errors.size(), error ? 1 : 0);
        if (error)
            QVERIFY2(dialogs.errors.first().contains(u'"' + text + u'"'),
                     qPrintable(dialogs.errors.first()));
        // Start-up only reads the colour.
        QVERIFY(platform->desktopColors.empty());
    }

    void applyDesktopColour() {
        auto form = start();
        form->DesktopColor = 0xFF00012Cu;
        form->ApplyDesktopColor();
        QCOMPARE(platform->desktopColors, std::vector<std::uint32_t>{0x00012Cu});
        QCOMPARE(platform->store.readString(Colors, QStringLiteral("Background")),
                 QStringLiteral("44 1 0"));
    }
};

QTEST_MAIN(TestSettings)
#include "TestSettings.moc"
