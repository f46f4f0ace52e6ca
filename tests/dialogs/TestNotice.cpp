#include "app/platform/ValueStore.h"
#include "dialogs/Picture3.h"
#include "fakes/FakeUserDialogs.h"
#include "tray/Tray.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestNotice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutAndTexts();
    void okStoresChoice_data();
    void okStoresChoice();
    void failedWriteKeepsNoticeOpen();
    void escapeKeepsTheChoice();
};

namespace {

ValueStore storeWithProductKey() {
    ValueStore store;
    store.createKey(RegistryKeys::Product);
    return store;
}

} // namespace

void TestNotice::layoutAndTexts() {
    ValueStore store = storeWithProductKey();
    FakeUserDialogs dialogs;
    bool tell = true;
    TForm3 notice(store, dialogs, tell);

    QCOMPARE(notice.objectName(), QStringLiteral("Form3"));
    QCOMPARE(notice.windowTitle(), QStringLiteral("Still Running"));
    QCOMPARE(notice.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!(notice.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(notice.windowFlags() & Qt::WindowSystemMenuHint));

    QCOMPARE(notice.Label1->text(), QStringLiteral("Tessary is still running!"));
    QCOMPARE(notice.Image1->toolTip(), QStringLiteral("Tessary Tray Icon"));
    // The drawn panel, not a blank square.
    const QImage picture = notice.Image1->grab().toImage();
    QCOMPARE(picture.size(), QSize(163, 30) * picture.devicePixelRatio());
    QVERIFY(picture.pixelColor(picture.rect().center()) != QColor(Qt::white));
    QCOMPARE(notice.CheckBox1->text(), QStringLiteral("Don't show this message again"));
    QCOMPARE(notice.CheckBox1->toolTip(), QStringLiteral("Check to Never See This Message Again"));
    QVERIFY(!notice.CheckBox1->isChecked());
    QCOMPARE(notice.Button1->text(), QStringLiteral("OK"));
    QCOMPARE(notice.Button1->toolTip(), QStringLiteral("Close Message"));
    QVERIFY(!notice.Button1->isDefault() && !notice.Button1->autoDefault());
    QCOMPARE(notice.CheckBox1->nextInFocusChain(), notice.Button1);
    // No picture of a tray icon where there is no notification area: the window's place instead.
    QCOMPARE(notice.Image1->isVisibleTo(&notice), TTray::IsAvailable());
    QCOMPARE(notice.TaskBarLabel->isVisibleTo(&notice), !TTray::IsAvailable());
    // Top to bottom: the text, the picture, the box, the button.
    QVERIFY(notice.Label1->y() < notice.Image1->y() && notice.Image1->y() < notice.CheckBox1->y() &&
            notice.CheckBox1->y() < notice.Button1->y());
}

void TestNotice::okStoresChoice_data() {
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("after");
    QTest::newRow("left unticked writes 1 again") << true << false << true;
    QTest::newRow("ticked turns it off") << true << true << false;
    QTest::newRow("unticked turns it back on") << false << false << true;
}

void TestNotice::okStoresChoice() {
    QFETCH(bool, before);
    QFETCH(bool, ticked);
    QFETCH(bool, after);
    ValueStore store = storeWithProductKey();
    store.writeDword(RegistryKeys::Product, QStringLiteral("MinimizeTell"), 7);
    FakeUserDialogs dialogs;
    bool tell = before;
    TForm3 notice(store, dialogs, tell);
    notice.show();
    notice.CheckBox1->setChecked(ticked);
    QTest::mouseClick(notice.Button1, Qt::LeftButton);

    QCOMPARE(tell, after);
    // Written on every OK as a number 0 or 1, even when the flag did not change.
    QCOMPARE(store.serialize().contains(after ? "\"MinimizeTell\"=dword:00000001"
                                              : "\"MinimizeTell\"=dword:00000000"),
             true);
    QCOMPARE(notice.result(), int(QDialog::Accepted));
    QVERIFY(!notice.isVisible());
    QVERIFY(dialogs.errors.isEmpty());
}

void TestNotice::failedWriteKeepsNoticeOpen() {
    ValueStore store; // no product key: the write fails
    FakeUserDialogs dialogs;
    bool tell = true;
    TForm3 notice(store, dialogs, tell);
    notice.show();
    notice.CheckBox1->setChecked(true);
    QTest::mouseClick(notice.Button1, Qt::LeftButton);

    QCOMPARE(dialogs.errors.size(), 1);
    QVERIFY(!dialogs.errors.first().isEmpty());
    QVERIFY(notice.isVisible());
    QVERIFY(!tell); // already changed in memory
}

void TestNotice::escapeKeepsTheChoice() {
    ValueStore store = storeWithProductKey();
    FakeUserDialogs dialogs;
    bool tell = true;
    TForm3 notice(store, dialogs, tell);
    notice.show();
    QTest::keyClick(&notice, Qt::Key_Escape);
    QVERIFY(!notice.isVisible());
    QVERIFY(tell);
    QVERIFY(store.readBool(RegistryKeys::Product, QStringLiteral("MinimizeTell")));
}

QTEST_MAIN(TestNotice)
#include "TestNotice.moc"
