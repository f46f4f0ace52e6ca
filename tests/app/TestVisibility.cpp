#include "TestListSession.h"

#include "app/FormParts.h"
#include "dialogs/Picture3.h"
#include "dialogs/Picture4.h"
#include "tray/Tray.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

// Hidden where a notification area can bring the window back, minimised where none exists.
bool isTuckedAway(const TForm1& form) {
    return TTray::IsAvailable() ? form.isHidden() : (form.isVisible() && form.isMinimized());
}

bool isShown(const TForm1& form) {
    return form.isVisible() && !form.isMinimized();
}

// Plays the user's part in the still-running notice.
std::function<void(QDialog&)> answerNotice(bool tick) {
    return [tick](QDialog& dialog) {
        auto* notice = qobject_cast<TForm3*>(&dialog);
        QVERIFY(notice);
        QVERIFY(!notice->CheckBox1->isChecked()); // a fresh notice each time
        notice->CheckBox1->setChecked(tick);
        notice->Button1->click();
    };
}

QString stored(const Session& s, const char* name) {
    return s.platform.store.readString(RegistryKeys::Product, QString::fromLatin1(name));
}

} // namespace

class TestVisibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // Run under a notification area, the tests must take the hiding path.
        if (qEnvironmentVariableIsSet("TESSARY_EXPECT_TRAY"))
            QVERIFY(TTray::IsAvailable());
    }

    void closeHidesAndTells_data();
    void closeHidesAndTells();
    void tickedNoticeIsNotShownAgain();
    void untickedNoticeIsShownAgain();
    void show1Toggles_data();
    void show1Toggles();
    void closeWhileHiddenHidesAgain();
    void restoredFromTaskbarCountsAsShown();
    void anotherStartBringsToFront_data();
    void anotherStartBringsToFront();
    void bannerOpensAbout();
    void exitWritesListWithCrLf();
    void clearAllThenExitWritesEmptyFile();
    void exitKeepsEveryByteOfTheList();
    void exitWhileRunningSavesConfiguredPeriod();
    void failedSaveKeepsRunningAndRetries();
};

void TestVisibility::closeHidesAndTells_data() {
    QTest::addColumn<bool>("minimizeTell");
    QTest::newRow("notice on") << true;
    QTest::newRow("notice off") << false;
}

void TestVisibility::closeHidesAndTells() {
    QFETCH(bool, minimizeTell);
    Session s(minimizeTell);
    TForm1& form = s.start({s.picture(QStringLiteral("a.bmp"), 10)});
    QVERIFY(isShown(form));
    QCOMPARE(form.Show1->text(), QStringLiteral("Hide Tessary..."));
    const QByteArray settings = s.platform.store.serialize();
    const QByteArray list = s.imagesDbBytes();

    QVERIFY(!form.close()); // refused

    QVERIFY(isTuckedAway(form));
    QVERIFY(form.WindowHidden);
    QCOMPARE(form.Show1->text(), QStringLiteral("Show Tessary..."));
    QCOMPARE(s.dialogs.modalsShown, minimizeTell ? QStringList{"Form3"} : QStringList{});
    QVERIFY(Form3 == nullptr); // the notice lived only while shown
    // Nothing written: the fake answered the notice without OK.
    QCOMPARE(s.platform.store.serialize(), settings);
    QCOMPARE(s.imagesDbBytes(), list);
    QVERIFY(s.dialogs.errors.isEmpty());
}

void TestVisibility::tickedNoticeIsNotShownAgain() {
    Session s;
    TForm1& form = s.start();
    s.dialogs.onModal = answerNotice(true);
    form.close();
    QCOMPARE(s.dialogs.modalsShown.size(), 1);
    QVERIFY(!form.MinimizeTell);
    QVERIFY(!s.platform.store.readBool(RegistryKeys::Product, QStringLiteral("MinimizeTell")));

    form.Show1Click(); // shows
    form.Show1Click(); // hides: no notice
    form.close();      // hides again: no notice
    QCOMPARE(s.dialogs.modalsShown.size(), 1);
    QVERIFY(s.dialogs.errors.isEmpty());
}

void TestVisibility::untickedNoticeIsShownAgain() {
    Session s;
    TForm1& form = s.start();
    s.dialogs.onModal = answerNotice(false);
    form.Show1->trigger();
    QVERIFY(form.MinimizeTell);
    QVERIFY(s.platform.store.readBool(RegistryKeys::Product, QStringLiteral("MinimizeTell")));
    form.Show1->trigger();
    form.Show1->trigger();
    QCOMPARE(s.dialogs.modalsShown, QStringList({"Form3", "Form3"}));
}

void TestVisibility::show1Toggles_data() {
    QTest::addColumn<bool>("startMinimized");
    QTest::newRow("started shown") << false;
    QTest::newRow("started hidden") << true;
}

void TestVisibility::show1Toggles() {
    QFETCH(bool, startMinimized);
    Session s(true, startMinimized);
    TForm1& form = s.start();
    QCOMPARE(form.WindowHidden, startMinimized);
    QVERIFY(startMinimized ? isTuckedAway(form) : isShown(form));
    QCOMPARE(form.Show1->text(), startMinimized ? QStringLiteral("Show Tessary...")
                                                : QStringLiteral("Hide Tessary..."));

    if (!startMinimized) {
        form.Tray1->OnDoubleClick(); // the tray's double-click is the same toggle
        QVERIFY(isTuckedAway(form));
        QCOMPARE(s.dialogs.modalsShown.size(), 1);
    }
    form.Tray1->OnDoubleClick();
    QVERIFY(isShown(form));
    QVERIFY(!form.WindowHidden);
    QCOMPARE(form.Show1->text(), QStringLiteral("Hide Tessary..."));

    form.Show1->trigger();
    QVERIFY(isTuckedAway(form));
    QVERIFY(form.WindowHidden);
    QCOMPARE(form.Show1->text(), QStringLiteral("Show Tessary..."));
    QCOMPARE(s.dialogs.modalsShown.size(), startMinimized ? 1 : 2);
    QVERIFY(!s.imagesDbExists());
}

void TestVisibility::closeWhileHiddenHidesAgain() {
    Session s;
    TForm1& form = s.start();
    form.Show1Click();
    QVERIFY(form.WindowHidden);
    form.Show1->setText(QStringLiteral("stale"));
    form.close();
    QVERIFY(isTuckedAway(form));
    QCOMPARE(form.Show1->text(), QStringLiteral("Show Tessary..."));
    QCOMPARE(s.dialogs.modalsShown.size(), 2);
}

void TestVisibility::restoredFromTaskbarCountsAsShown() {
    if (TTray::IsAvailable())
        QSKIP("with a notification area the window hides instead of minimising");
    Session s(false);
    TForm1& form = s.start();
    form.close();
    QVERIFY(form.WindowHidden && form.isMinimized());
    form.showNormal(); // what the taskbar does
    QVERIFY(!form.WindowHidden);
    QCOMPARE(form.Show1->text(), QStringLiteral("Hide Tessary..."));
    form.Show1Click(); // the toggle now hides again rather than showing
    QVERIFY(form.WindowHidden);
    QVERIFY(isTuckedAway(form));
}

void TestVisibility::anotherStartBringsToFront_data() {
    QTest::addColumn<bool>("startMinimized");
    QTest::addColumn<QString>("then");
    QTest::newRow("shown: stays shown, never toggled away") << false << QString();
    QTest::newRow("started hidden") << true << QString();
    QTest::newRow("closed") << false << QStringLiteral("close");
    QTest::newRow("minimised by the user") << false << QStringLiteral("minimise");
}

void TestVisibility::anotherStartBringsToFront() {
    QFETCH(bool, startMinimized);
    QFETCH(QString, then);
    Session s(false, startMinimized);
    TForm1& form = s.start();
    if (then == QLatin1String("close"))
        form.close();
    else if (then == QLatin1String("minimise"))
        form.showMinimized();
    QCOMPARE(isShown(form), !startMinimized && then.isEmpty());
    form.bringToFront();
    QVERIFY(isShown(form));
    QVERIFY(!form.WindowHidden);
    QCOMPARE(form.Show1->text(), QStringLiteral("Hide Tessary..."));
    form.bringToFront(); // a second request changes nothing
    QVERIFY(isShown(form));
    QVERIFY(!form.WindowHidden);
}

void TestVisibility::bannerOpensAbout() {
    Session s;
    TForm1& form = s.start();
    s.dialogs.onModal = [&](QDialog& dialog) {
        auto* about = qobject_cast<TForm4*>(&dialog);
        QVERIFY(about);
        QCOMPARE(Form4, about);
        QCOMPARE(about->parentWidget(), &form);
        about->Label7Click();
        about->Button1->click();
    };
    QTest::mouseClick(form.Image20, Qt::LeftButton);
    QCOMPARE(s.dialogs.modalsShown, QStringList{"Form4"});
    QCOMPARE(s.platform.openedAddresses,
             QStringList{QStringLiteral("mailto:") + TForm4::SupportAddress});
    QVERIFY(Form4 == nullptr);
    QVERIFY(isShown(form));
}

void TestVisibility::exitWritesListWithCrLf() {
    Session s;
    const QString b = s.picture(QStringLiteral("b.bmp"), 11);
    const QString a = s.picture(QStringLiteral("a.bmp"), 10);
    s.platform.writeImagesDb((b + QStringLiteral("\n") + a).toUtf8()); // LF only, no last end
    TForm1& form = s.start();
    form.Show1Click(); // Exit works from the hidden state as well
    s.dialogs.modalsShown.clear();
    form.Exit1->trigger();

    QVERIFY(s.dialogs.errors.isEmpty());
    QVERIFY(form.ExitRequested);
    QVERIFY(!form.isVisible());
    QVERIFY(s.dialogs.modalsShown.isEmpty());
    QCOMPARE(s.imagesDbBytes(), (b + QStringLiteral("\r\n") + a + QStringLiteral("\r\n")).toUtf8());
    QCOMPARE(stored(s, "Minutes"), QStringLiteral("1"));
}

void TestVisibility::clearAllThenExitWritesEmptyFile() {
    Session s;
    TForm1& form = s.start({s.picture(QStringLiteral("a.bmp"), 10)});
    form.ClearAll1->trigger();
    form.Button2->click();
    QVERIFY(s.dialogs.errors.isEmpty());
    QVERIFY(s.imagesDbExists());
    QCOMPARE(s.imagesDbBytes(), QByteArray());
}

// Names are bytes: one that is not UTF-8 opens and is written back as it was read. A NUL ends the
// list; the user is told, and the file keeps what follows it until the list is changed.
void TestVisibility::exitKeepsEveryByteOfTheList() {
    Session s;
    const QByteArray folder = QFile::encodeName(s.pictures.path());
    const QByteArray foreign = folder + "/Geb\xe4ude.bmp";
    QCOMPARE(std::rename(QFile::encodeName(s.picture(QStringLiteral("g.bmp"), 13)).constData(),
                         foreign.constData()),
             0);
    // QTemporaryDir cannot remove a name that is not UTF-8.
    const auto removeForeign = qScopeGuard([&] { std::remove(foreign.constData()); });
    const QByteArray other = QFile::encodeName(s.picture(QStringLiteral("b.bmp"), 11));
    const QByteArray list = foreign + "\r\n" + other + "\r\n" + QByteArray("\0/rest.bmp\r\n", 13);
    s.platform.writeImagesDb(list);

    TForm1& form = s.start();
    QCOMPARE(s.dialogs.errors.size(), 1);
    QVERIFY2(s.dialogs.errors.first().contains(QStringLiteral("NUL byte after 2 entries")),
             qPrintable(s.dialogs.errors.first()));
    QCOMPARE(form.preview.width(), 13);
    QCOMPARE(form.ComboBox1->itemText(0), QStringLiteral("Geb\ufffdude.bmp"));
    form.Button2->click();
    QCOMPARE(s.dialogs.errors.size(), 1);
    QCOMPARE(s.imagesDbBytes(), list);

    // Once the list changes, Exit writes it, the name that is not UTF-8 byte for byte.
    Session kept;
    kept.platform.writeImagesDb(list);
    TForm1& next = kept.start();
    next.Next1Click();
    next.Button4->click(); // removes the second
    next.Button2->click();
    QCOMPARE(kept.imagesDbBytes(), foreign + "\r\n");
}

void TestVisibility::exitWhileRunningSavesConfiguredPeriod() {
    Session s;
    s.platform.store.writeString(RegistryKeys::Product, QStringLiteral("Minutes"),
                                 QStringLiteral("0"));
    s.platform.store.writeString(RegistryKeys::Product, QStringLiteral("Seconds"),
                                 QStringLiteral("5"));
    TForm1& form =
        s.start({s.picture(QStringLiteral("a.bmp"), 10), s.picture(QStringLiteral("b.bmp"), 11)});
    form.Button3->click();
    QVERIFY2(form.Timer2->isActive(), "the rotation did not start");
    form.Timer2Timer();
    form.Timer2Timer();
    QCOMPARE(form.FormatTime(), QStringLiteral("00:00:03"));

    form.Button2->click();
    QVERIFY(s.dialogs.errors.isEmpty());
    QVERIFY(!form.Timer2->isActive());
    QCOMPARE(stored(s, "Hours"), QStringLiteral("0"));
    QCOMPARE(stored(s, "Minutes"), QStringLiteral("0"));
    QCOMPARE(stored(s, "Seconds"), QStringLiteral("5"));
    QCOMPARE(s.imagesDbBytes().count("\r\n"), 2);
}

void TestVisibility::failedSaveKeepsRunningAndRetries() {
    Session s;
    const QString a = s.picture(QStringLiteral("a.bmp"), 10);
    const QString b = s.picture(QStringLiteral("b.bmp"), 11);
    TForm1& form = s.start({b});
    const QByteArray before = s.imagesDbBytes();
    s.dialogs.nextFiles = {a};
    form.AddFiles1Click();

    // A data folder below a regular file cannot be made, whoever runs the test.
    s.platform.unusableDataFolder = s.pictures.filePath(QStringLiteral("a.bmp/tessary"));
    form.Button2->click();

    QCOMPARE(s.dialogs.errors.size(), 1);
    QVERIFY(s.dialogs.errors.first().contains(QStringLiteral("a.bmp/tessary")));
    QVERIFY(form.ExitRequested);
    QVERIFY(form.isVisible()); // still running, nothing lost
    QCOMPARE(form.ImageList.count(), 2);
    QCOMPARE(s.imagesDbBytes(), before);

    // The next close request, once the folder is usable, saves and ends.
    s.platform.unusableDataFolder.clear();
    QVERIFY(form.close());
    QCOMPARE(s.dialogs.errors.size(), 1);
    QCOMPARE(s.imagesDbBytes(), (a + QStringLiteral("\r\n") + b + QStringLiteral("\r\n")).toUtf8());
}

QTEST_MAIN(TestVisibility)
#include "TestVisibility.moc"
