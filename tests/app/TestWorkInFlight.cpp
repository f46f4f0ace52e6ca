// Commands that come while a picture is still being decoded or written on the worker, with a
// fake worker released step by step.
#include "app/Picture1.h"
#include "app/UpDown.h"
#include "app/platform/Registry.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "fakes/FakeWorkQueue.h"
#include "fakes/TestPictures.h"
#include "tray/Tray.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>

namespace {

// A main window over the fake platform and the fake worker, with `count` pictures that differ
// in width (8, 9, 10...), the start-up preview already shown.
struct Rig {
    explicit Rig(int count) {
        QByteArray db;
        for (int i = 0; i < count; ++i) {
            const QString path =
                writeTestPicture(platform.dir.path(), QStringLiteral("Picture%1.bmp").arg(i),
                                 QSize(8 + i, 6), QColor::fromHsv(i * 50, 200, 200));
            paths << path;
            db += path.toUtf8() + "\r\n";
        }
        platform.writeImagesDb(db);
        form = std::make_unique<TForm1>(platform, dialogs, &work);
        form->Position = QStringLiteral("Center");
        work.releaseAll();
    }
    // Starts the rotation and lets its first pick end.
    void started() {
        form->Button3Click();
        work.releaseAll();
        QVERIFY(form->Timer2->isActive());
    }
    bool desktopValuesWritten() const {
        return platform.store.valueExists(RegistryKeys::Desktop, QStringLiteral("Wallpaper"));
    }

    FakePlatform platform;
    FakeUserDialogs dialogs;
    FakeWorkQueue work;
    QStringList paths;
    std::unique_ptr<TForm1> form;
};

// What the window shows of the current picture.
struct Shown {
    int previewWidth;
    QString caption;
    int selected;
    int upDown;
    bool operator==(const Shown&) const = default;
};
Shown shown(const TForm1& f) {
    return {f.preview.width(), f.windowTitle(), f.ComboBox1->currentIndex(), f.UpDown2->position()};
}

} // namespace

class TestWorkInFlight : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void pickShowsItsStepsInOrderAsTheWorkEnds();
    void tickWaitsForThePickOnItsWay();
    void stopDropsThePickOnItsWay_data();
    void stopDropsThePickOnItsWay();
    void exitWaitsForTheWriteOnItsWay();
    void newestListStepWins();
    void clearAllOrRemoveWhileAPictureIsDecoded_data();
    void clearAllOrRemoveWhileAPictureIsDecoded();
    void failuresOnTheWorkerReachTheUserAsBefore();
    void picturesDecodedAheadOnlyWhileUnchanged();
    void placementOnItsWayWhileTheUserSteps();
};

void TestWorkInFlight::pickShowsItsStepsInOrderAsTheWorkEnds() {
    Rig rig(3);
    TForm1& f = *rig.form;
    const Shown before = shown(f);
    f.Button3Click();
    // Only the locks so far: nothing of the list may change under the pick.
    for (QObject* c : f.rotationLockedControls())
        QVERIFY2(!isControlEnabled(c), qPrintable(c->objectName()));
    QCOMPARE(f.Button3->text(), QStringLiteral("Start"));
    QVERIFY(shown(f) == before);
    QVERIFY(!rig.desktopValuesWritten());
    // Pressed again meanwhile: still one pick.
    f.Button3Click();
    QCOMPARE(rig.work.queued(), std::size_t(1));

    // Decoded: the preview and the facts, then the desktop values; the file is not written yet.
    QVERIFY(rig.work.release());
    const QString picked = rig.paths.at(f.preview.width() - 8);
    QVERIFY(f.windowTitle().startsWith(QStringLiteral("Tessary - ") + fileNamePart(picked)));
    QVERIFY(rig.desktopValuesWritten());
    QVERIFY(rig.platform.wallpaperCalls.empty());
    QCOMPARE(f.ComboBox1->currentIndex(), before.selected);
    QCOMPARE(f.RotationPool.count(), 3);

    // Written and set: then the selection, the pool and the running state.
    QVERIFY(rig.work.release());
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(1));
    QCOMPARE(f.ComboBox1->currentText(), fileNamePart(picked));
    QCOMPARE(f.UpDown2->position(), rig.paths.indexOf(picked));
    QCOMPARE(f.RotationPool.count(), 2);
    QCOMPARE(f.Button3->text(), QStringLiteral("Stop"));
    QVERIFY(f.Timer2->isActive());
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestWorkInFlight::tickWaitsForThePickOnItsWay() {
    Rig rig(3);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 2};
    rig.started();
    f.Timer2Timer();
    f.Timer2Timer();
    QCOMPARE(rig.work.queued(), std::size_t(1));
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:00"));
    const QString hint = f.Tray1->Hint();
    const int bar = f.ProgressBar1->value();
    // Ticks due meanwhile neither count nor pick.
    for (int i = 0; i < 5; ++i)
        f.Timer2Timer();
    QCOMPARE(rig.work.queued(), std::size_t(1));
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:00"));
    QCOMPARE(f.Tray1->Hint(), hint);
    QCOMPARE(f.ProgressBar1->value(), bar);
    QVERIFY(f.picking());
    rig.work.releaseAll();
    // Done: the countdown is reloaded and counts again.
    QVERIFY(!f.picking());
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(2));
    QCOMPARE(f.RotationPool.count(), 1);
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:02"));
    QCOMPARE(f.ProgressBar1->value(), 0);
    f.Timer2Timer();
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:01"));
}

void TestWorkInFlight::stopDropsThePickOnItsWay_data() {
    QTest::addColumn<bool>("writing"); // the decode has ended, the write is on its way
    QTest::newRow("while decoding") << false;
    QTest::newRow("while writing") << true;
}

void TestWorkInFlight::stopDropsThePickOnItsWay() {
    QFETCH(bool, writing);
    Rig rig(3);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 1};
    rig.started();
    f.Timer2Timer();
    if (writing)
        QVERIFY(rig.work.release());
    const Shown before = shown(f);
    f.Button3Click();
    QCOMPARE(f.Button3->text(), QStringLiteral("Start"));
    QCOMPARE(f.RotationPool.count(), 0);
    for (QObject* c : f.rotationLockedControls())
        QVERIFY2(isControlEnabled(c), qPrintable(c->objectName()));
    rig.work.releaseAll();
    // A write under way ends whole on the desktop; the window stays as Stop left it.
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(writing ? 2 : 1));
    QVERIFY(shown(f) == before);
    QCOMPARE(f.RotationPool.count(), 0);
    QCOMPARE(f.Label2->text(), QStringLiteral("00:00:01"));
    QVERIFY(!f.picking());
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestWorkInFlight::exitWaitsForTheWriteOnItsWay() {
    Rig rig(2);
    TForm1& f = *rig.form;
    f.countdown = Countdown{0, 0, 1};
    rig.started();
    f.Timer2Timer();
    QVERIFY(rig.work.release()); // decoded; the write is on its way
    f.Button2Click();
    QCOMPARE(rig.work.waits, 1);
    QVERIFY(rig.dialogs.errors.isEmpty());
    // The write ended before the program: image.bmp is whole, as the desktop was given it.
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(2));
    QFile file(f.WallpaperFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, rig.platform.wallpaperCalls.back().fileBytes);
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
    QCOMPARE(rig.platform.store.readString(RegistryKeys::Product, QStringLiteral("Seconds")),
             QStringLiteral("1"));
    rig.work.releaseAll();
    QCOMPARE(f.RotationPool.count(), 0);
}

void TestWorkInFlight::newestListStepWins() {
    Rig rig(4);
    TForm1& f = *rig.form;
    f.Next1Click();
    f.Next1Click();
    QCOMPARE(rig.work.queued(), std::size_t(2));
    const Shown before = shown(f);
    // The older step's picture is dropped.
    QVERIFY(rig.work.release());
    QVERIFY(shown(f) == before);
    QVERIFY(rig.work.release());
    QCOMPARE(f.preview.width(), 10);
    QCOMPARE(f.ComboBox1->currentIndex(), 2);
    QCOMPARE(f.UpDown2->position(), 2);
    QVERIFY(f.windowTitle().contains(QStringLiteral("Picture2.bmp (3/4)")));
    // The arrows and the drop-down box the same way.
    f.UpDown2->setPosition(1);
    f.UpDown2Click();
    f.ComboBox1->setCurrentIndex(3);
    f.ComboBox1Change();
    rig.work.releaseAll();
    QCOMPARE(f.preview.width(), 11);
    QCOMPARE(f.UpDown2->position(), 3);
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestWorkInFlight::clearAllOrRemoveWhileAPictureIsDecoded_data() {
    QTest::addColumn<bool>("clearAll");
    QTest::newRow("Clear All") << true;
    QTest::newRow("Remove") << false;
}

void TestWorkInFlight::clearAllOrRemoveWhileAPictureIsDecoded() {
    QFETCH(bool, clearAll);
    Rig rig(3);
    TForm1& f = *rig.form;
    f.Next1Click(); // Picture1 on its way; Picture0 still shown and selected
    if (clearAll) {
        f.Button5Click();
        rig.work.releaseAll();
        QVERIFY(f.preview.isNull());
        QCOMPARE(f.windowTitle(), QStringLiteral("Tessary"));
        QVERIFY(f.Label7->text().isEmpty());
        QVERIFY(!f.Label9->isHidden());
    } else {
        // Remove takes the selected picture, the one shown; the next one then shows.
        f.Button4Click();
        rig.work.releaseAll();
        QCOMPARE(f.ImageList.entries(), rig.paths.mid(1));
        QCOMPARE(f.preview.width(), 9);
        QCOMPARE(f.ComboBox1->currentIndex(), 0);
        QVERIFY(f.windowTitle().contains(QStringLiteral("Picture1.bmp (1/2)")));
    }
    QVERIFY(rig.dialogs.errors.isEmpty());
}

void TestWorkInFlight::failuresOnTheWorkerReachTheUserAsBefore() {
    // The first pick at Start: a message box, and the program stays stopped.
    {
        Rig rig(1);
        TForm1& f = *rig.form;
        QVERIFY(QFile::remove(rig.paths.at(0)));
        f.Button3Click();
        rig.work.releaseAll();
        QCOMPARE(rig.dialogs.errors.size(), 1);
        QVERIFY2(rig.dialogs.errors[0].endsWith(rig.paths.at(0)),
                 qPrintable(rig.dialogs.errors[0]));
        QCOMPARE(f.Button3->text(), QStringLiteral("Start"));
        for (QObject* c : f.rotationLockedControls())
            QVERIFY2(isControlEnabled(c), qPrintable(c->objectName()));
        QVERIFY(!f.picking());
    }
    // A pick at a tick: no box; the picture leaves the cycle and the countdown starts again.
    {
        Rig rig(2);
        TForm1& f = *rig.form;
        f.countdown = Countdown{0, 0, 1};
        rig.started();
        const QString left = f.RotationPool.at(0);
        QVERIFY(QFile::remove(left));
        f.Timer2Timer();
        rig.work.releaseAll();
        QVERIFY(rig.dialogs.errors.isEmpty());
        QCOMPARE(f.RotationPool.count(), 0);
        QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(1));
        QCOMPARE(f.Label2->text(), QStringLiteral("00:00:01"));
        QVERIFY(!f.picking());
    }
    // A list step: a message box, and the display stays.
    {
        Rig rig(2);
        TForm1& f = *rig.form;
        const Shown before = shown(f);
        QVERIFY(QFile::remove(rig.paths.at(1)));
        f.Next1Click();
        rig.work.releaseAll();
        QCOMPARE(rig.dialogs.errors.size(), 1);
        QCOMPARE(f.preview.width(), before.previewWidth);
        QCOMPARE(f.windowTitle(), before.caption);
    }
}

// The neighbours of the picture shown are decoded ahead; a step shows one only while its file
// is as it was, else the file as it is now (or its error).
void TestWorkInFlight::picturesDecodedAheadOnlyWhileUnchanged() {
    Rig rig(4);
    TForm1& f = *rig.form;
    QCOMPARE(rig.work.queued(), std::size_t(0)); // Picture0 shown, Picture1 and Picture3 ahead
    f.Next1Click();
    QVERIFY(rig.work.release());
    QCOMPARE(f.preview.width(), 9);
    rig.work.releaseAll();
    // Picture2 and Picture0 are ahead now; Picture2 changes, Picture0 goes.
    writeTestPicture(rig.platform.dir.path(), QStringLiteral("Picture2.bmp"), QSize(30, 6));
    f.Next1Click();
    rig.work.releaseAll();
    QCOMPARE(f.preview.width(), 30);
    QCOMPARE(f.Label7->text(), QStringLiteral("30 x 6"));
    QVERIFY(QFile::remove(rig.paths.at(3)));
    QVERIFY(QFile::remove(rig.paths.at(1)));
    f.Next1Click();
    rig.work.releaseAll();
    QCOMPARE(rig.dialogs.errors.size(), 1);
    QVERIFY(rig.dialogs.errors[0].endsWith(rig.paths.at(3)));
    QCOMPARE(f.preview.width(), 30);
}

// A placement from the menu still places the picture it was given; its rescaled copy does not
// replace the picture the user stepped to meanwhile.
void TestWorkInFlight::placementOnItsWayWhileTheUserSteps() {
    Rig rig(2);
    TForm1& f = *rig.form;
    writeTestPicture(rig.platform.dir.path(), QStringLiteral("Picture0.bmp"), QSize(2000, 1000));
    f.ApplyImage(rig.paths.at(0));
    rig.work.releaseAll();
    f.Determine1Click();
    f.Next1Click();
    rig.work.releaseAll();
    QVERIFY(rig.dialogs.errors.isEmpty());
    QCOMPARE(rig.platform.wallpaperCalls.size(), std::size_t(1));
    QCOMPARE(qFromLittleEndian<qint32>(rig.platform.wallpaperCalls[0].fileBytes.constData() + 18),
             1024);
    QCOMPARE(f.preview.width(), 9);
    QCOMPARE(f.Label7->text(), QStringLiteral("9 x 6"));
}

QTEST_MAIN(TestWorkInFlight)
#include "TestWorkInFlight.moc"
