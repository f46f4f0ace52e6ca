#include "app/Picture1.h"
#include "app/UpDown.h"
#include "app/platform/Registry.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "fakes/TestPictures.h"
#include "rotation/RotationPool.h"
#include "tray/Tray.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <random>

Q_DECLARE_METATYPE(Countdown)

namespace {

// A main window over the fake platform with a list of `count` small pictures.
struct Rig {
    explicit Rig(int count) {
        QByteArray db;
        for (int i = 0; i < count; ++i) {
            const QString path =
                writeTestPicture(platform.dir.path(), QStringLiteral("Picture%1.bmp").arg(i),
                                 QSize(8, 6), QColor::fromHsv((i * 37) % 360, 200, 200));
            paths << path;
            db += path.toUtf8() + "\r\n";
        }
        platform.writeImagesDb(db);
        platform.store.writeString(RegistryKeys::Colors, QStringLiteral("Background"),
                                   QStringLiteral("0 128 128"));
        form = std::make_unique<TForm1>(platform, dialogs);
        form->Position = QStringLiteral("Center");
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            form->Timer2Timer();
    }

    FakePlatform platform;
    FakeUserDialogs dialogs;
    QStringList paths;
    std::unique_ptr<TForm1> form;
};

// The controls that stay usable while the rotation runs.
QList<QObject*> alwaysAvailable(const TForm1& f) {
    return {f.Button3, f.Start1, f.Button2, f.Exit1, f.Show1};
}

} // namespace

class TestRotation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void startPicksAtOnceAndLocksTheControls();
    void defaultPeriodCountsDownAndPicksOnTheSixtiethTick();
    void firstTickShows_data();
    void firstTickShows();
    void everyPictureOncePerCycle_data();
    void everyPictureOncePerCycle();
    void stopRestoresThePeriodAndUnlocks();
    void exitWhileRunningSavesTheConfiguredPeriod();
    void firstPickFailingAtStartStaysStopped();
    void autoStartWithAFailingFirstPickStillStarts();
    void failingPickMidRotationIsLeftOutAndCountingGoesOn();
    void unknownPositionMidRotationKeepsThePoolAndCounting();
    void unwritableWallpaperIsNotClaimedUntilAWriteSucceeds();
    void timerRunsOnlyWhileRunning();
};

void TestRotation::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestRotation::startPicksAtOnceAndLocksTheControls() {
    Rig rig(3);
    TForm1& f = *rig.form;
    QCOMPARE(f.ImageList.count(), 3);
    f.Button3->click();
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
    QCOMPARE(f.Button3->text(), QStringLiteral("Stop"));
    QCOMPARE(f.Button3->toolTip(), QStringLiteral("Start Tessarying"));
    QCOMPARE(f.Start1->text(), QStringLiteral("Stop Tessarying"));
    QVERIFY(f.Timer2->isActive());
    QCOMPARE(f.Timer2->interval(), 1000);
    QVERIFY(f.SavedPeriod == f.countdown);
    QCOMPARE(f.RotationPool.count(), 2);
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{1});
    // The picked picture is on display and selected everywhere.
    const QString picked = f.ImageList.at(f.CurrentIndex);
    QVERIFY(!f.RotationPool.entries().contains(picked));
    QCOMPARE(f.ComboBox1->currentText(), fileNamePart(picked));
    QCOMPARE(f.UpDown2->position(), f.CurrentIndex);
    QVERIFY(f.windowTitle().contains(fileNamePart(picked)));
    for (QObject* c : f.rotationLockedControls())
        QVERIFY2(!isControlEnabled(c), qPrintable(c->objectName()));
    for (QObject* c : alwaysAvailable(f))
        QVERIFY2(isControlEnabled(c), qPrintable(c->objectName()));
    // Start leaves the bar, the label and the tip alone until the first tick.
    QCOMPARE(f.ProgressBar1->value(), 0);
    QCOMPARE(f.Label2->text(), QStringLiteral("00:01:00"));
    QCOMPARE(f.Tray1->Hint(), TForm1::StoppedHint());
}

void TestRotation::defaultPeriodCountsDownAndPicksOnTheSixtiethTick() {
    Rig rig(3);
    TForm1& f = *rig.form;
    f.Button3Click();
    for (int tick = 1; tick <= 59; ++tick) {
        f.Timer2Timer();
        const QString left = QStringLiteral("00:00:%1").arg(60 - tick, 2, 10, QLatin1Char('0'));
        QCOMPARE(f.Label2->text(), left);
        QCOMPARE(f.TrayHintText, TForm1::StartedHintPrefix() + left);
        QCOMPARE(f.Tray1->Hint(), f.TrayHintText);
        QCOMPARE(f.ProgressBar1->value(), tick);
    }
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{1});
    f.Timer2Timer();
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{2});
    QCOMPARE(f.Label2->text(), QStringLiteral("00:01:00"));
    QCOMPARE(f.Tray1->Hint(), TForm1::StartedHintPrefix() + QStringLiteral("00:00:00"));
    QCOMPARE(f.ProgressBar1->value(), 0);
    QCOMPARE(f.RotationPool.count(), 1);
    f.Timer2Timer();
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:59"));
    QCOMPARE(f.ProgressBar1->value(), 1);
}

void TestRotation::firstTickShows_data() {
    QTest::addColumn<Countdown>("period");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one hour") << Countdown{1, 0, 0} << QStringLiteral("00:59:59");
    QTest::newRow("minutes borrow") << Countdown{0, 5, 0} << QStringLiteral("00:04:59");
    QTest::newRow("all zeros from stored settings")
        << Countdown{0, 0, 0} << QStringLiteral("00:59:59");
}

void TestRotation::firstTickShows() {
    QFETCH(Countdown, period);
    QFETCH(QString, shown);
    Rig rig(2);
    TForm1& f = *rig.form;
    f.countdown = period;
    f.Button3Click();
    f.Timer2Timer();
    QCOMPARE(f.Label2->text(), shown);
    QCOMPARE(f.Tray1->Hint(), TForm1::StartedHintPrefix() + shown);
    QCOMPARE(f.Tray1->trayIcon()->toolTip(),
             (TForm1::StartedHintPrefix() + shown).left(TTray::TipLength));
}

void TestRotation::everyPictureOncePerCycle_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
    QTest::newRow("50") << 50;
}

void TestRotation::everyPictureOncePerCycle() {
    QFETCH(int, count);
    Rig rig(count);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 1}; // every tick picks
    const int cycles = 3;

    // The picks the modulo rule gives with the same seed.
    std::mt19937 random = rig.platform.random;
    RotationPool model;
    QList<int> expected;
    for (int i = 0; i < cycles * count; ++i) {
        if (model.isEmpty())
            model.fill(rig.paths);
        const qsizetype k = model.draw(random() >> 1);
        expected << int(rig.paths.indexOf(model.at(k)));
        model.removeAt(k);
    }

    QList<int> picked;
    f.Button3Click();
    picked << f.CurrentIndex;
    for (int i = 1; i < cycles * count; ++i) {
        f.Timer2Timer();
        QCOMPARE(f.Label2->text(), QStringLiteral("00:00:01"));
        picked << f.CurrentIndex;
    }
    QCOMPARE(picked, expected);
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(cycles * count));
    for (int c = 0; c < cycles; ++c) {
        QList<int> cycle = picked.mid(c * count, count);
        std::sort(cycle.begin(), cycle.end());
        for (int i = 0; i < count; ++i)
            QCOMPARE(cycle.at(i), i);
    }
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
}

void TestRotation::stopRestoresThePeriodAndUnlocks() {
    Rig rig(3);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 2, 30};
    f.Button3Click();
    rig.ticks(10);
    const int shown = f.CurrentIndex;
    f.Start1->trigger();
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
    QVERIFY(!f.Timer2->isActive());
    QVERIFY((f.countdown == Countdown{0, 2, 30}));
    QCOMPARE(f.Label2->text(), QStringLiteral("00:02:30"));
    QCOMPARE(f.ProgressBar1->value(), 0);
    QCOMPARE(f.TrayHintText, TForm1::StoppedHint());
    QCOMPARE(f.Tray1->Hint(), TForm1::StoppedHint());
    QVERIFY(f.RotationPool.isEmpty());
    QCOMPARE(f.Button3->text(), QStringLiteral("Start"));
    QCOMPARE(f.Start1->text(), QStringLiteral("Start Tessarying"));
    for (QObject* c : f.rotationLockedControls())
        QVERIFY2(isControlEnabled(c), qPrintable(c->objectName()));
    // The last pick stays on display and as the wallpaper.
    QCOMPARE(f.CurrentIndex, shown);
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{1});
    // A new Start begins a full period and a fresh cycle.
    f.Button3Click();
    QCOMPARE(f.RotationPool.count(), 2);
    f.Timer2Timer();
    QCOMPARE(f.Label2->text(), QStringLiteral("00:02:29"));
    QCOMPARE(f.ProgressBar1->value(), 1);
}

void TestRotation::exitWhileRunningSavesTheConfiguredPeriod() {
    Rig rig(2);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 45};
    f.Button3Click();
    rig.ticks(20);
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:25"));
    f.Button2Click();
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
    QVERIFY(!f.Timer2->isActive());
    QVERIFY((f.countdown == Countdown{0, 0, 45}));
    const Registry& saved = rig.platform.store;
    QCOMPARE(saved.readString(RegistryKeys::Product, QStringLiteral("Seconds")),
             QStringLiteral("45"));
    QCOMPARE(saved.readString(RegistryKeys::Product, QStringLiteral("Minutes")),
             QStringLiteral("0"));
}

void TestRotation::firstPickFailingAtStartStaysStopped() {
    Rig rig(1);
    TForm1& f = *rig.form;
    QVERIFY(QFile::remove(rig.paths.at(0)));
    f.Button3->click();
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QCOMPARE(f.Button3->text(), QStringLiteral("Start"));
    QCOMPARE(f.Start1->text(), QStringLiteral("Start Tessarying"));
    QVERIFY(!f.Timer2->isActive());
    QCOMPARE(f.RotationPool.entries(), rig.paths);
    for (QObject* c : f.rotationLockedControls())
        QVERIFY2(isControlEnabled(c), qPrintable(c->objectName()));
    QVERIFY(rig.platform.wallpaperCalls.empty());
}

void TestRotation::autoStartWithAFailingFirstPickStillStarts() {
    FakePlatform platform;
    FakeUserDialogs dialogs;
    // The first entry is previewed at start-up; the generator is seeded so that the first
    // pick is the second entry, which has gone.
    const QString present =
        writeTestPicture(platform.dir.path(), QStringLiteral("here.bmp"), QSize(8, 6), Qt::red);
    const QString missing = platform.dir.filePath(QStringLiteral("gone.bmp"));
    platform.writeImagesDb(present.toUtf8() + "\r\n" + missing.toUtf8() + "\r\n");
    for (std::uint32_t seed = 0;; ++seed) {
        std::mt19937 probe(seed);
        if ((probe() >> 1) % 2 == 1) {
            platform.random.seed(seed);
            break;
        }
    }
    Registry& reg = platform.store;
    reg.writeString(RegistryKeys::Colors, QStringLiteral("Background"), QStringLiteral("0 0 0"));
    reg.createKey(RegistryKeys::Product);
    reg.writeBool(RegistryKeys::Product, QStringLiteral("AutoStart"), true);
    reg.writeBool(RegistryKeys::Product, QStringLiteral("Minimized"), false);
    reg.writeBool(RegistryKeys::Product, QStringLiteral("MinimizeTell"), true);
    reg.writeString(RegistryKeys::Product, QStringLiteral("Position"), QStringLiteral("Center"));
    reg.writeString(RegistryKeys::Product, QStringLiteral("Hours"), QStringLiteral("0"));
    reg.writeString(RegistryKeys::Product, QStringLiteral("Minutes"), QStringLiteral("0"));
    reg.writeString(RegistryKeys::Product, QStringLiteral("Seconds"), QStringLiteral("5"));
    std::unique_ptr<TForm1> form;
    try {
        form = std::make_unique<TForm1>(platform, dialogs);
    } catch (const std::exception& error) {
        QFAIL(error.what());
    }
    QVERIFY(form->AutoStart);
    QCOMPARE(dialogs.errors.size(), 1);
    QCOMPARE(form->Button3->text(), QStringLiteral("Start"));
    QVERIFY(!form->Timer2->isActive());
    QVERIFY((form->countdown == Countdown{0, 0, 5}));
}

void TestRotation::failingPickMidRotationIsLeftOutAndCountingGoesOn() {
    Rig rig(2);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 3};
    f.Button3Click();
    QCOMPARE(f.RotationPool.count(), 1);
    const QString good = f.ImageList.at(f.CurrentIndex);
    const QString bad = f.RotationPool.at(0);
    QVERIFY(QFile::remove(bad));

    rig.ticks(3); // the expiry picks the missing picture
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
    QVERIFY(f.RotationPool.isEmpty());
    QVERIFY(f.Timer2->isActive());
    QCOMPARE(f.Button3->text(), QStringLiteral("Stop"));
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:03"));
    QCOMPARE(f.ProgressBar1->value(), 0);
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{1});
    // Without a notification area the caption tells it.
    QVERIFY2(f.windowTitle().contains(fileNamePart(bad)), qPrintable(f.windowTitle()));
    QVERIFY(f.windowTitle().startsWith(QStringLiteral("Tessary - Skipped")));
    QVERIFY2(f.windowTitle().endsWith(u' ' + bad), qPrintable(f.windowTitle()));

    // Later cycles go on; the good picture is applied once in each, the missing one is not
    // told about again.
    for (int cycle = 0; cycle < 5; ++cycle) {
        const std::size_t before = rig.platform.wallpaperCalls.size();
        rig.ticks(6);
        QCOMPARE(rig.platform.wallpaperCalls.size(), before + 1);
        QCOMPARE(f.ImageList.at(f.CurrentIndex), good);
        QVERIFY(!f.windowTitle().contains(QStringLiteral("Skipped")));
        QCOMPARE(f.Label2->text(), QStringLiteral("00:00:03"));
    }
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
}

void TestRotation::unknownPositionMidRotationKeepsThePoolAndCounting() {
    Rig rig(3);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 2};
    f.Button3Click();
    f.Position = QStringLiteral("Sideways");
    rig.ticks(2);
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
    QCOMPARE(f.RotationPool.count(), 2); // not the picture's fault: it stays in the cycle
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:02"));
    QCOMPARE(f.ProgressBar1->value(), 0);
    QVERIFY(f.Timer2->isActive());
    QVERIFY2(f.windowTitle().contains(QStringLiteral("\"Sideways\"")), qPrintable(f.windowTitle()));
    // Told once only: the next failing expiry leaves the caption to the picture on display.
    rig.ticks(2);
    QCOMPARE(f.RotationPool.count(), 2);
    QVERIFY2(!f.windowTitle().contains(QStringLiteral("Sideways")), qPrintable(f.windowTitle()));
    // Put right, the rotation goes on with the same cycle.
    f.Position = QStringLiteral("Tile");
    rig.ticks(2);
    QCOMPARE(f.RotationPool.count(), 1);
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{2});
}

// A wallpaper that cannot be written (a full disk) is not claimed: at each failing pick the
// caption and the tip say so, without a message box, until the first write that succeeds.
void TestRotation::unwritableWallpaperIsNotClaimedUntilAWriteSucceeds() {
    Rig rig(3);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 2};
    f.Button3Click();
    QVERIFY(QFile::remove(f.WallpaperFile));
    QVERIFY(QDir().mkdir(f.WallpaperFile)); // the rename onto it fails
    const QString notChanged =
        QStringLiteral("Tessary - Wallpaper not changed: Cannot write \"%1\"").arg(f.WallpaperFile);
    for (int pick = 0; pick < 2; ++pick) {
        rig.ticks(2);
        QVERIFY2(f.windowTitle().startsWith(notChanged), qPrintable(f.windowTitle()));
        QCOMPARE(f.Tray1->Hint(), TForm1::NotChangedHintPrefix() + QStringLiteral("00:00:00"));
    }
    rig.ticks(1);
    QCOMPARE(f.Tray1->Hint(), TForm1::NotChangedHintPrefix() + QStringLiteral("00:00:01"));
    QVERIFY2(rig.dialogs.errors.isEmpty(), qPrintable(rig.dialogs.errors.join(u'|')));
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{1});

    QVERIFY(QDir().rmdir(f.WallpaperFile));
    rig.ticks(1);
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t{2});
    const QString shown = f.ImageList.at(f.CurrentIndex);
    QCOMPARE(
        f.windowTitle(),
        QStringLiteral("Tessary - %1 (%2/3)").arg(fileNamePart(shown)).arg(f.CurrentIndex + 1));
    QCOMPARE(f.Tray1->Hint(), TForm1::StartedHintPrefix() + QStringLiteral("00:00:00"));
}

void TestRotation::timerRunsOnlyWhileRunning() {
    Rig rig(2);
    TForm1& f = *rig.form;
    QVERIFY(!f.Timer2->isActive());
    f.Button3Click();
    QVERIFY(f.Timer2->isActive());
    // The real timer drives the same tick.
    QSignalSpy spy(f.Timer2, &QTimer::timeout);
    QVERIFY(spy.wait(2500));
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:59"));
    f.Button3Click();
    QVERIFY(!f.Timer2->isActive());
}

QTEST_MAIN(TestRotation)
#include "TestRotation.moc"
