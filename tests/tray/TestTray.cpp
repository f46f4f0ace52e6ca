#include "app/platform/Errors.h"
#include "tray/Tray.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

namespace {

class DerivedTray : public TTray {
public:
    using TTray::TTray;
};

QString refusal(const std::function<void()>& construct) {
    try {
        construct();
    } catch (const AppError& error) {
        return error.text();
    }
    return QString();
}

QIcon filledIcon(QColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QRgb iconPixel(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().pixel(8, 8);
}

} // namespace

class TestTray : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void ownerMustBeAWindow();
    void onlyOneTrayPerWindow();
    void descendantClassCountsAsATray();
    void tipIsTheFirst127Characters_data();
    void tipIsTheFirst127Characters();
    void loadedFallsBackToOwnerThenApplicationIcon();
    void doubleClickRunsTheEventOrRestoresTheOwner();
    void rightPressRunsTheEventOrOpensTheMenu();
    void leftClickRunsOnlyItsEvent();
    void noNotificationAreaMeansNoMessage();
};

void TestTray::cleanup() {
    QApplication::setWindowIcon(QIcon());
}

void TestTray::ownerMustBeAWindow() {
    QCOMPARE(refusal([] { TTray tray(nullptr); }), QStringLiteral("Owner Must Be TForm"));
    QWidget window;
    auto* child = new QWidget(&window);
    QCOMPARE(refusal([child] { TTray tray(child); }), QStringLiteral("Owner Must Be TForm"));
    QVERIFY(child->findChildren<TTray*>().isEmpty());
    QCOMPARE(refusal([&window] { TTray tray(&window); }), QString());
}

void TestTray::onlyOneTrayPerWindow() {
    QWidget window;
    auto* first = new TTray(&window);
    QCOMPARE(refusal([&window] { new TTray(&window); }), QStringLiteral("Only 1 TTray Per Form"));
    // The refused one leaves nothing behind; the first one stays usable.
    QCOMPARE(window.findChildren<TTray*>(), QList<TTray*>{first});
    first->SetHint(QStringLiteral("still here"));
    QCOMPARE(first->trayIcon()->toolTip(), QStringLiteral("still here"));
    // Another window may hold its own.
    QWidget other;
    QCOMPARE(refusal([&other] { new TTray(&other); }), QString());
}

void TestTray::descendantClassCountsAsATray() {
    QWidget window;
    new DerivedTray(&window);
    QCOMPARE(refusal([&window] { new TTray(&window); }), QStringLiteral("Only 1 TTray Per Form"));
    QWidget second;
    new TTray(&second);
    QCOMPARE(refusal([&second] { new DerivedTray(&second); }),
             QStringLiteral("Only 1 TTray Per Form"));
}

void TestTray::tipIsTheFirst127Characters_data() {
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("tip");
    const QString x127(127, u'x');
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("three lines") << QStringLiteral("Tessary\nStatus: Started\nTime: 00:00:59")
                                 << QStringLiteral("Tessary\nStatus: Started\nTime: 00:00:59");
    QTest::newRow("exactly 127") << x127 << x127;
    QTest::newRow("128") << x127 + u'y' << x127;
    QTest::newRow("300") << QString(300, u'z') << QString(127, u'z');
    // A character outside the basic plane is not cut in half at the limit.
    QTest::newRow("pair across the limit")
        << QString(126, u'x') + QString::fromUtf8("\xF0\x9F\x98\x80") + u'y' << QString(126, u'x');
}

void TestTray::tipIsTheFirst127Characters() {
    QFETCH(QString, hint);
    QFETCH(QString, tip);
    QWidget window;
    TTray tray(&window);
    tray.SetHint(QStringLiteral("something else first"));
    tray.SetHint(hint);
    QCOMPARE(tray.Hint(), hint);
    QCOMPARE(tray.trayIcon()->toolTip(), tip);
}

void TestTray::loadedFallsBackToOwnerThenApplicationIcon() {
    const QIcon red = filledIcon(Qt::red);
    const QIcon green = filledIcon(Qt::green);
    const QIcon blue = filledIcon(Qt::blue);
    QApplication::setWindowIcon(blue);
    {
        // An icon of its own is kept.
        QWidget window;
        window.setWindowIcon(green);
        TTray tray(&window);
        tray.SetIcon(red);
        tray.Loaded();
        QCOMPARE(iconPixel(tray.Icon()), QColor(Qt::red).rgb());
        QCOMPARE(iconPixel(tray.trayIcon()->icon()), QColor(Qt::red).rgb());
    }
    {
        QWidget window;
        window.setWindowIcon(green);
        TTray tray(&window);
        tray.Loaded();
        QCOMPARE(iconPixel(tray.Icon()), QColor(Qt::green).rgb());
    }
    {
        QWidget window;
        TTray tray(&window);
        tray.Loaded();
        QCOMPARE(iconPixel(tray.Icon()), QColor(Qt::blue).rgb());
    }
    {
        // With no icon anywhere the entry still gets one: an empty one cannot be seen or clicked.
        QApplication::setWindowIcon(QIcon());
        QWidget window;
        TTray tray(&window);
        tray.Loaded();
        QVERIFY(!tray.Icon().isNull());
        QVERIFY(!tray.trayIcon()->icon().isNull());
    }
}

void TestTray::doubleClickRunsTheEventOrRestoresTheOwner() {
    QWidget window;
    window.show();
    window.showMinimized();
    QVERIFY(window.isMinimized());
    TTray tray(&window);
    int runs = 0;
    tray.OnDoubleClick = [&runs] { ++runs; };
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(runs, 1);
    QVERIFY(window.isMinimized());

    tray.OnDoubleClick = nullptr;
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(runs, 1);
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

void TestTray::rightPressRunsTheEventOrOpensTheMenu() {
    QWidget window;
    QMenu menu;
    menu.addAction(QStringLiteral("Exit"));
    TTray tray(&window);

    // Neither an event nor a menu: nothing happens.
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Context);
    QVERIFY(!menu.isVisible());

    tray.PopupMenu = &menu;
    int runs = 0;
    tray.OnRightClick = [&runs] { ++runs; };
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Context);
    QCOMPARE(runs, 1);
    QVERIFY(!menu.isVisible());

    tray.OnRightClick = nullptr;
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Context);
    QCOMPARE(runs, 1);
    QTRY_VERIFY(menu.isVisible());
    menu.close();

    // Loaded hands the menu to the icon, for notification areas that draw it themselves.
    QCOMPARE(tray.trayIcon()->contextMenu(), nullptr);
    tray.Loaded();
    QCOMPARE(tray.trayIcon()->contextMenu(), &menu);
}

void TestTray::leftClickRunsOnlyItsEvent() {
    QWidget window;
    QMenu menu;
    menu.addAction(QStringLiteral("Exit"));
    TTray tray(&window);
    tray.PopupMenu = &menu;
    int left = 0;
    int dbl = 0;
    tray.OnDoubleClick = [&dbl] { ++dbl; };
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Trigger); // unassigned: nothing
    tray.OnLeftClick = [&left] { ++left; };
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::Trigger);
    Q_EMIT tray.trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    QCOMPARE(left, 1);
    QCOMPARE(dbl, 0);
    QVERIFY(!menu.isVisible());
}

void TestTray::noNotificationAreaMeansNoMessage() {
    QWidget window;
    TTray tray(&window);
    QVERIFY(!TTray::IsAvailable()); // offscreen never has a notification area
    QVERIFY(!tray.ShowMessage(QStringLiteral("Tessary"), QStringLiteral("text")));
    tray.Loaded();
    QVERIFY(!tray.ShowMessage(QStringLiteral("Tessary"), QStringLiteral("text")));
}

QTEST_MAIN(TestTray)
#include "TestTray.moc"
