#include "app/FormWidgets.h"
#include "app/Picture1.h"
#include "app/PreviewImage.h"
#include "app/UpDown.h"
#include "app/platform/Errors.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "fakes/TestPictures.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildsEveryControlAsDeclared();
    void startsEmptyWithoutImagesDb();
    void loadsAThreeEntryList();
    void resetReturnsToTheEmptyState();
    void startUpWithUnreadableListOrPicture();
    void handlerErrorsAreShownAndSilentAbortIsNot();
};

void TestMainWindow::buildsEveryControlAsDeclared() {
    FakePlatform platform;
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessary"));

    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Button buttons[] = {
        {"Button3", "Start", "Start Tessarying"},
        {"Button1", "Options", "View the Options Window"},
        {"Button2", "Exit", "Exit Tessary"},
        {"Button6", "Add", "Add Images to List"},
        {"Button4", "Remove", "Remove Current Image from List"},
        {"Button5", "Clear All", "Remove All Images from List"},
    };
    for (const Button& b : buttons) {
        auto* button = form.findChild<QPushButton*>(QString::fromLatin1(b.name));
        QVERIFY2(button, b.name);
        QCOMPARE(button->text(), QString::fromLatin1(b.caption));
        QCOMPARE(button->toolTip(), QString::fromLatin1(b.hint));
    }
    QCOMPARE(form.Label2->text(), QStringLiteral("00:01:00"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Timer:"));
    QCOMPARE(form.ProgressBar1->maximum(), 60);
    QCOMPARE(form.ProgressBar1->value(), 0);
    QCOMPARE(form.ProgressBar1->toolTip(), QStringLiteral("Timer Progress"));
    QCOMPARE(form.ComboBox1->toolTip(), QStringLiteral("View and select Images"));
    QCOMPARE(form.UpDown2->toolTip(),
             QStringLiteral("Click left or right to scroll through the Images"));
    QCOMPARE(form.Timer2->interval(), 1000);
    QVERIFY(!form.Timer2->isActive());

    // The three framed rows, top to bottom, each as wide as the others.
    QList<RoundedStrip*> rows;
    for (const char* row : {"Panel8", "Panel2", "Panel6"})
        rows.append(form.findChild<RoundedStrip*>(QString::fromLatin1(row)));
    QVERIFY(rows[0] && rows[1] && rows[2]);
    QVERIFY(rows[0]->y() < rows[1]->y() && rows[1]->y() < rows[2]->y());
    QCOMPARE(rows[0]->width(), rows[2]->width());

    // The pop-up menu in order, separators included.
    QStringList items;
    for (QAction* a : form.PopupMenu1->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items,
             (QStringList{"Add Pictures", "Remove Picture", "Clear All Pictures", "-",
                          "Next Picture", "Previous Picture", "-", "Hide Tessary...",
                          "Start Tessarying", "Set As Wallpaper", "Options...", "-", "Exit"}));
    QStringList placements;
    for (QAction* a : form.SetAsWallpaper1Menu->actions())
        placements << a->text();
    QCOMPARE(placements, (QStringList{"Determine", "Centered", "Tiled", "Stretched"}));
    QCOMPARE(form.AddPicture1Menu->actions().size(), 1);
    QCOMPARE(form.AddFiles2->text(), QStringLiteral("Add Files..."));
}

void TestMainWindow::startsEmptyWithoutImagesDb() {
    FakePlatform platform;
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);
    QCOMPARE(form.ComboBox1->count(), 1);
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("No Images Selected"));
    for (QObject* control : form.listStateControls())
        QVERIFY2(!isControlEnabled(control), qPrintable(control->objectName()));
    QVERIFY(!form.Label9->isHidden());
    QVERIFY(form.Button6->isEnabled());
    QVERIFY(form.AddPicture1->isEnabled());
    QCOMPARE(form.Image1->toolTip(), QStringLiteral("No Images to Display"));
    QCOMPARE(form.TrayHintText, TForm1::StoppedHint());
    QCOMPARE(form.WallpaperFile, platform.dataFolder() + QStringLiteral("/image.bmp"));
    QVERIFY(form.ImageList.isEmpty());
    QVERIFY(!form.ImageList.isSorted());
    QCOMPARE(form.Button3->text(), QStringLiteral("Start"));
    QVERIFY(dialogs.errors.isEmpty());
}

void TestMainWindow::loadsAThreeEntryList() {
    FakePlatform platform;
    const QString folder = platform.dataFolder();
    const QString first = writeTestPicture(folder, QStringLiteral("zeta.bmp"), {64, 48});
    platform.writeImagesDb(
        (first + "\r\n" + folder + "/Alpha.jpg\n" + folder + "/mid.bmp").toUtf8());
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);

    QCOMPARE(form.ImageList.count(), 3);
    QStringList items;
    for (int i = 0; i < form.ComboBox1->count(); ++i)
        items << form.ComboBox1->itemText(i);
    QCOMPARE(items, (QStringList{"zeta.bmp", "Alpha.jpg", "mid.bmp"})); // as read, unsorted
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QCOMPARE(form.CurrentIndex, 0);
    QCOMPARE(form.UpDown2->maximum(), 3);
    QCOMPARE(form.UpDown2->position(), 0);
    for (QObject* control : form.listStateControls())
        QVERIFY2(isControlEnabled(control), qPrintable(control->objectName()));
    QVERIFY(form.Label9->isHidden());
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessary - zeta.bmp (1/3)"));
    QCOMPARE(form.Image1->toolTip(), QStringLiteral("zeta.bmp"));
    QCOMPARE(form.Label5->text(), QStringLiteral("Bitmap"));
    QCOMPARE(form.Label7->text(), QStringLiteral("64 x 48"));
    QCOMPARE(form.Image1->image().size(), QSize(64, 48));
    QVERIFY(platform.wallpaperCalls.empty()); // loading never sets the wallpaper
}

void TestMainWindow::resetReturnsToTheEmptyState() {
    FakePlatform platform;
    const QString first = writeTestPicture(platform.dataFolder(), QStringLiteral("a.bmp"), {8, 8});
    platform.writeImagesDb((first + "\r\n").toUtf8());
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);
    form.StartFolder = QStringLiteral("/somewhere");
    form.Reset();
    QVERIFY(form.ImageList.isEmpty());
    QCOMPARE(form.ComboBox1->count(), 1);
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("No Images Selected"));
    for (QObject* control : form.listStateControls())
        QVERIFY2(!isControlEnabled(control), qPrintable(control->objectName()));
    QVERIFY(!form.Label9->isHidden());
    QVERIFY(form.Image1->image().isNull());
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessary"));
    QCOMPARE(form.Image1->toolTip(), QStringLiteral("No Images to Display"));
    QVERIFY(form.Label5->text().isEmpty());
    QVERIFY(form.Label7->text().isEmpty());
    QCOMPARE(form.StartFolder, TForm1::DefaultStartFolder);
    QCOMPARE(form.UpDown2->maximum(), 1); // left as it was
}

void TestMainWindow::startUpWithUnreadableListOrPicture() {
    FakePlatform platform;
    QVERIFY(QDir().mkpath(platform.dataFolder() + QStringLiteral("/images.db")));
    FakeUserDialogs dialogs;
    QVERIFY_THROWS_EXCEPTION(AppError, TForm1(platform, dialogs));
    // A first entry that cannot be shown is told about; the program starts with it selected,
    // no preview, and the controls to remove it.
    FakePlatform second;
    second.writeImagesDb("/nowhere/gone.bmp\r\n/nowhere/other.bmp\r\n");
    TForm1 form(second, dialogs);
    QCOMPARE(dialogs.errors.size(), 1);
    QCOMPARE(form.ImageList.count(), 2);
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QVERIFY(form.preview.isNull() && !form.Label9->isHidden());
    QVERIFY(form.Button4->isEnabled() && form.Button5->isEnabled());
}

void TestMainWindow::handlerErrorsAreShownAndSilentAbortIsNot() {
    FakePlatform platform;
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);
    bool after = false;
    form.runGuarded([&] {
        throw AppError(QStringLiteral("Cannot do it."));
        after = true;
    });
    form.runGuarded([] { throw SilentAbort(); });
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Cannot do it.")});
    QVERIFY(!after);
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
