#include "app/platform/Errors.h"
#include "app/platform/ValueStore.h"
#include "settings/DecimalText.h"
#include "settings/SettingsTable.h"

#include <QTest>

namespace {

const QString Product = RegistryKeys::Product;
const QString Run = RegistryKeys::Run;

ValueStore freshStore() {
    return ValueStore({RegistryKeys::Run, RegistryKeys::Desktop, RegistryKeys::Colors});
}

// Writes what a first run writes, so that single values can then be spoiled.
ValueStore storeWithDefaults() {
    ValueStore store = freshStore();
    writeSettings(store, SettingValues{}, QStringLiteral("/opt/picture"));
    return store;
}

// Records each write and delete in order, and passes everything on to a value store.
class RecordingRegistry : public Registry {
public:
    ValueStore store = freshStore();
    QStringList calls;

    bool keyExists(const QString& key) const override { return store.keyExists(key); }
    void createKey(const QString& key) override {
        calls.append(QStringLiteral("create ") + key);
        store.createKey(key);
    }
    bool valueExists(const QString& key, const QString& name) const override {
        return store.valueExists(key, name);
    }
    bool readBool(const QString& key, const QString& name) const override {
        return store.readBool(key, name);
    }
    QString readString(const QString& key, const QString& name) const override {
        return store.readString(key, name);
    }
    void writeBool(const QString& key, const QString& name, bool value) override {
        calls.append(name + QStringLiteral("=dword:") + QString::number(value));
        store.writeBool(key, name, value);
    }
    void writeString(const QString& key, const QString& name, const QString& value) override {
        calls.append(name + QStringLiteral("=") + value);
        store.writeString(key, name, value);
    }
    void deleteValue(const QString& key, const QString& name) override {
        calls.append(QStringLiteral("delete ") + name);
        store.deleteValue(key, name);
    }
};

} // namespace

class TestSettingsTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void strToInt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("plain") << "59" << true << 59;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("minus") << "-1" << true << -1;
        QTest::newRow("plus") << "+24" << true << 24;
        QTest::newRow("surrounding blanks") << " \t30 " << true << 30;
        QTest::newRow("int32 max") << "2147483647" << true << 2147483647;
        QTest::newRow("int32 min") << "-2147483648" << true << int(INT32_MIN);
        QTest::newRow("just above max") << "2147483648" << false << 0;
        QTest::newRow("just below min") << "-2147483649" << false << 0;
        QTest::newRow("huge") << "99999999999999999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blank") << "   " << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("trailing letters") << "12abc" << false << 0;
        QTest::newRow("inner space") << "1 2" << false << 0;
        QTest::newRow("two signs") << "--1" << false << 0;
        QTest::newRow("hex") << "0x10" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0661)) << false << 0;
    }
    void strToInt() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto result = StrToInt(text);
        QCOMPARE(result.has_value(), ok);
        if (ok)
            QCOMPARE(*result, value);
    }

    void tableOrderAndTypes() {
        QStringList names;
        for (const SettingRow& row : settingsTable())
            names.append(row.name);
        QCOMPARE(names, QStringList({"MinimizeTell", "AutoStart", "Minimized", "Position", "Hours",
                                     "Minutes", "Seconds", "Tessary"}));
    }

    void roundTrip_data() {
        QTest::addColumn<bool>("flags");
        QTest::addColumn<QString>("position");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::newRow("defaults") << false << "Determine" << 0 << 1 << 0;
        QTest::newRow("all set") << true << "Stretch" << 24 << 59 << 59;
        QTest::newRow("empty position") << true << "" << 2 << 0 << 30;
        QTest::newRow("out of range kept") << false << "tile" << 99 << -1 << 1000;
        QTest::newRow("int32 limits") << true << "Center" << int(INT32_MAX) << int(INT32_MIN) << 0;
    }
    void roundTrip() {
        QFETCH(bool, flags);
        QFETCH(QString, position);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        SettingValues values;
        values.MinimizeTell = !flags;
        values.AutoStart = flags;
        values.Minimized = flags;
        values.StartWithWindows = flags;
        values.Position = position;
        values.countdown = {hours, minutes, seconds};
        ValueStore store = freshStore();
        writeSettings(store, values, QStringLiteral("/opt/picture"));
        // Through the text form too, as the settings file holds it.
        ValueStore reread = freshStore();
        reread.parse(store.serialize(), QStringLiteral("test"));
        QCOMPARE(readSettings(reread), values);
        QCOMPARE(reread.valueExists(Run, QStringLiteral("Tessary")), flags);
        if (flags)
            QCOMPARE(reread.readString(Run, QStringLiteral("Tessary")),
                     QStringLiteral("/opt/picture"));
    }

    void readFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoil"); // "delete", "text:<t>" or "dword:<n>"
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("AutoStart deleted") << "AutoStart"
                                           << "delete"
                                           << "missing";
        QTest::newRow("MinimizeTell deleted") << "MinimizeTell"
                                              << "delete"
                                              << "missing";
        QTest::newRow("Minimized as text") << "Minimized"
                                           << "text:1"
                                           << "\"1\"";
        QTest::newRow("Minutes abc") << "Minutes"
                                     << "text:abc"
                                     << "\"abc\"";
        QTest::newRow("Hours empty") << "Hours"
                                     << "text:"
                                     << "\"\"";
        QTest::newRow("Hours deleted") << "Hours"
                                       << "delete"
                                       << "missing";
        QTest::newRow("Seconds beyond 32 bits") << "Seconds"
                                                << "text:4294967296"
                                                << "\"4294967296\"";
        QTest::newRow("Seconds as dword") << "Seconds"
                                          << "dword:5"
                                          << "number";
        QTest::newRow("Position as dword") << "Position"
                                           << "dword:1"
                                           << "number";
    }
    void readFailures() {
        QFETCH(QString, name);
        QFETCH(QString, spoil);
        QFETCH(QString, messagePart);
        ValueStore store = storeWithDefaults();
        if (spoil == QLatin1String("delete"))
            store.deleteValue(Product, name);
        else if (spoil.startsWith(QLatin1String("text:")))
            store.writeString(Product, name, spoil.mid(5));
        else
            store.writeDword(Product, name, spoil.mid(6).toUInt());
        const QByteArray before = store.serialize();
        try {
            readSettings(store);
            QFAIL("a bad value was accepted");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(u'"' + name + u'"'), qPrintable(error.text()));
            QVERIFY2(error.text().contains(messagePart), qPrintable(error.text()));
        }
        QCOMPARE(store.serialize(), before);
    }

    void nonZeroDwordIsSet() {
        ValueStore store = storeWithDefaults();
        store.writeDword(Product, QStringLiteral("AutoStart"), 7);
        QVERIFY(readSettings(store).AutoStart);
    }

    void fullSaveOrder() {
        RecordingRegistry registry;
        registry.store.writeString(Run, QStringLiteral("Tessary"), QStringLiteral("x"));
        SettingValues values;
        values.countdown = {2, 0, 30};
        writeSettings(registry, values, QStringLiteral("/opt/picture"));
        QCOMPARE(registry.calls,
                 QStringList({"create " + Product, "MinimizeTell=dword:1", "AutoStart=dword:0",
                              "Minimized=dword:0", "Position=Determine", "Hours=2", "Minutes=0",
                              "Seconds=30", "delete Tessary"}));
    }

    void optionsSaveOrder() {
        RecordingRegistry registry;
        registry.store.createKey(Product);
        SettingValues values;
        values.StartWithWindows = true;
        values.Position = QStringLiteral("Tile");
        writeSettings(registry, values, QStringLiteral("/opt/picture"),
                      [](const SettingRow& row) { return row.editedByOptions; });
        QCOMPARE(registry.calls,
                 QStringList({"AutoStart=dword:0", "Minimized=dword:0", "Position=Tile", "Hours=0",
                              "Minutes=1", "Seconds=0", "Tessary=/opt/picture"}));
    }

    void absentRunValueIsLeftAlone() {
        RecordingRegistry registry;
        writeSettings(registry, SettingValues{}, QStringLiteral("/opt/picture"));
        QVERIFY(!registry.calls.contains(QStringLiteral("delete Tessary")));
    }

    void intervalMs_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("ms");
        QTest::newRow("default") << 0 << 1 << 0 << 60000;
        QTest::newRow("2:00:30") << 2 << 0 << 30 << 7230000;
        QTest::newRow("24:59:59") << 24 << 59 << 59 << 89999000;
        QTest::newRow("largest that fits") << 0 << 0 << 2147483 << 2147483000;
        QTest::newRow("too large") << 596 << 31 << 24 << int(INT32_MAX);
        QTest::newRow("int32 hours")
            << int(INT32_MAX) << int(INT32_MAX) << int(INT32_MAX) << int(INT32_MAX);
        QTest::newRow("negative") << -1 << 0 << 0 << 0;
        QTest::newRow("int32 min") << int(INT32_MIN) << int(INT32_MIN) << int(INT32_MIN) << 0;
        QTest::newRow("mixed signs") << 1 << -30 << 0 << 1800000;
    }
    void intervalMs() {
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(int, ms);
        QCOMPARE(intervalMsFor(Countdown{hours, minutes, seconds}), ms);
    }
};

QTEST_APPLESS_MAIN(TestSettingsTable)
#include "TestSettingsTable.moc"
