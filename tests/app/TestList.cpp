#include "TestListSession.h"

#include "app/UpDown.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

namespace {

QStringList comboItems(const TForm1& form) {
    QStringList items;
    for (int i = 0; i < form.ComboBox1->count(); ++i)
        items.append(form.ComboBox1->itemText(i));
    return items;
}

// The user's choice of an item in the drop-down box.
void choose(TForm1& form, int index) {
    form.ComboBox1->setCurrentIndex(index);
    Q_EMIT form.ComboBox1->activated(index);
}

} // namespace

class TestList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void addToEmptyListSelectsFirstChosenAndSorts();
    void cancelledAddChangesNothing();
    void addRules_data();
    void addRules();
    void nextAndPrevious_data();
    void nextAndPrevious();
    void sameFileNameInTwoFolders();
    void remove_data();
    void remove();
    void removeOnlyEntryGivesEmptyState();
    void clearAll();
    void upDownPastTheEndChangesNothing();
    void upDownAndDropDownShowTheirEntry();
    void failedNextKeepsControlsOnPrevious();
    void failedAddKeepsControls();
    void droppedFilesAndFoldersAreAdded();
};

void TestList::addToEmptyListSelectsFirstChosenAndSorts() {
    Session s;
    const QString c = s.picture(QStringLiteral("c.bmp"), 13);
    const QString a = s.picture(QStringLiteral("a.bmp"), 11);
    TForm1& form = s.start();
    s.dialogs.nextFiles = {c, a};
    form.Button6->click();

    QVERIFY(s.dialogs.errors.isEmpty());
    QCOMPARE(s.dialogs.lastFilter, TForm1::OpenFilter());
    QCOMPARE(s.dialogs.lastFilterIndex, 3);
    QCOMPARE(s.dialogs.lastStartFolder, TForm1::DefaultStartFolder);
    QCOMPARE(form.ImageList.entries(), QStringList({a, c}));
    QVERIFY(form.ImageList.isSorted());
    QCOMPARE(form.CurrentIndex, 1);
    QCOMPARE(comboItems(form), QStringList({"a.bmp", "c.bmp"}));
    QCOMPARE(form.ComboBox1->currentIndex(), 1);
    QCOMPARE(form.preview.width(), 13);
    QVERIFY(form.windowTitle().contains(QStringLiteral("c.bmp")));
    QVERIFY(form.Label9->isHidden());
    QVERIFY(form.Button4->isEnabled() && form.Button5->isEnabled() && form.Next1->isEnabled());
    QVERIFY(form.UpDown2->isEnabled());
    QCOMPARE(form.UpDown2->maximum(), 2);
    QCOMPARE(form.UpDown2->position(), 1);
    QVERIFY(s.platform.wallpaperCalls.empty());
    QVERIFY(!s.imagesDbExists()); // written at Exit only
}

void TestList::cancelledAddChangesNothing() {
    Session s;
    const QString b = s.picture(QStringLiteral("b.bmp"), 12);
    const QString a = s.picture(QStringLiteral("a.bmp"), 11);
    TForm1& form = s.start({b, a});
    const QString title = form.windowTitle();
    s.dialogs.nextFiles = {};
    form.AddFiles2->trigger();

    QCOMPARE(form.ImageList.entries(), QStringList({b, a}));
    QVERIFY(!form.ImageList.isSorted());
    QCOMPARE(form.CurrentIndex, 0);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
}

void TestList::addRules_data() {
    QTest::addColumn<QStringList>("imagesDb");
    QTest::addColumn<QStringList>("addedBefore");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("shown");
    // The first addition appends while unsorted, so a path images.db holds comes twice.
    QTest::newRow("first addition keeps images.db duplicate")
        << QStringList{"b", "a"} << QStringList{} << QStringList{"a"} << QStringList{"a", "a", "b"}
        << 0;
    QTest::newRow("later addition skips a present path")
        << QStringList{"b", "a"} << QStringList{"c"} << QStringList{"a"}
        << QStringList{"a", "b", "c"} << 0;
    QTest::newRow("re-adding once sorted keeps the count")
        << QStringList{} << QStringList{"b", "a"} << QStringList{"b"} << QStringList{"a", "b"} << 1;
    QTest::newRow("images.db order sorted by the first addition")
        << QStringList{"c", "a", "b"} << QStringList{} << QStringList{"d"}
        << QStringList{"a", "b", "c", "d"} << 3;
    QTest::newRow("several chosen: the first one is shown")
        << QStringList{"e"} << QStringList{} << QStringList{"d", "b"} << QStringList{"b", "d", "e"}
        << 1;
}

void TestList::addRules() {
    QFETCH(QStringList, imagesDb);
    QFETCH(QStringList, addedBefore);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, expected);
    QFETCH(int, shown);
    Session s;
    int width = 10;
    const auto paths = [&](const QStringList& names) {
        QStringList result;
        for (const QString& name : names)
            result.append(s.picture(name + QStringLiteral(".bmp"), width++));
        return result;
    };
    TForm1& form = s.start(paths(imagesDb));
    if (!addedBefore.isEmpty()) {
        s.dialogs.nextFiles = paths(addedBefore);
        form.AddFiles1Click();
    }
    s.dialogs.nextFiles = paths(chosen);
    form.AddFiles1Click();

    QStringList names;
    for (const QString& path : form.ImageList.entries())
        names.append(fileNamePart(path).chopped(4));
    QCOMPARE(names, expected);
    QCOMPARE(form.CurrentIndex, shown);
    QCOMPARE(form.ComboBox1->currentIndex(), shown);
    QCOMPARE(form.UpDown2->maximum(), expected.size());
    QCOMPARE(form.UpDown2->position(), shown);
    QVERIFY(form.windowTitle().contains(fileNamePart(s.dialogs.nextFiles.first()),
                                        Qt::CaseInsensitive));
}

void TestList::nextAndPrevious_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("next");
    QTest::addColumn<int>("to");
    QTest::newRow("next on the last shows the first") << 3 << 2 << true << 0;
    QTest::newRow("previous on the first shows the last") << 3 << 0 << false << 2;
    QTest::newRow("next in the middle") << 3 << 1 << true << 2;
    QTest::newRow("previous in the middle") << 3 << 1 << false << 0;
    QTest::newRow("one entry: next shows itself") << 1 << 0 << true << 0;
    QTest::newRow("one entry: previous shows itself") << 1 << 0 << false << 0;
}

void TestList::nextAndPrevious() {
    QFETCH(int, count);
    QFETCH(int, from);
    QFETCH(bool, next);
    QFETCH(int, to);
    Session s;
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries.append(s.picture(QStringLiteral("p%1.bmp").arg(i), 10 + i));
    TForm1& form = s.start(entries);
    if (from > 0)
        choose(form, from);
    QCOMPARE(form.CurrentIndex, from);
    form.preview = QImage();

    (next ? form.Next1 : form.PreviousPicture1)->trigger();

    QVERIFY(s.dialogs.errors.isEmpty());
    QCOMPARE(form.CurrentIndex, to);
    QCOMPARE(form.preview.width(), 10 + to);
    QCOMPARE(form.ComboBox1->currentIndex(), to);
    QCOMPARE(form.UpDown2->position(), to);
    QVERIFY(s.platform.wallpaperCalls.empty());
}

void TestList::sameFileNameInTwoFolders() {
    Session s;
    const QString first = s.picture(QStringLiteral("one/x.bmp"), 10);
    const QString second = s.picture(QStringLiteral("two/X.BMP"), 20);
    TForm1& form = s.start({first, second});
    form.Next1->trigger();

    QCOMPARE(form.CurrentIndex, 1);
    QCOMPARE(form.preview.width(), 20);
    QCOMPARE(form.ComboBox1->currentIndex(), 0); // the first equal item, by name
    QCOMPARE(form.UpDown2->position(), 1);
}

void TestList::remove_data() {
    QTest::addColumn<int>("removed");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("shownWidth");
    QTest::newRow("entry 0 of 3 shows the new entry 0") << 0 << QStringList{"b", "c"} << 0 << 11;
    QTest::newRow("entry 1 of 3 shows entry 0") << 1 << QStringList{"a", "c"} << 0 << 10;
    QTest::newRow("entry 2 of 3 shows entry 1") << 2 << QStringList{"a", "b"} << 1 << 11;
}

void TestList::remove() {
    QFETCH(int, removed);
    QFETCH(QStringList, left);
    QFETCH(int, shown);
    QFETCH(int, shownWidth);
    Session s;
    TForm1& form =
        s.start({s.picture(QStringLiteral("a.bmp"), 10), s.picture(QStringLiteral("b.bmp"), 11),
                 s.picture(QStringLiteral("c.bmp"), 12)});
    choose(form, removed);
    form.Button4->click();

    QVERIFY(s.dialogs.errors.isEmpty());
    QStringList names;
    for (const QString& path : form.ImageList.entries())
        names.append(fileNamePart(path).chopped(4));
    QCOMPARE(names, left);
    QCOMPARE(comboItems(form).size(), 2);
    QCOMPARE(form.CurrentIndex, shown);
    QCOMPARE(form.ComboBox1->currentIndex(), shown);
    QCOMPARE(form.preview.width(), shownWidth);
    QCOMPARE(form.UpDown2->position(), shown);
    QCOMPARE(form.UpDown2->maximum(), 3);  // the count from before the removal
    QVERIFY(!s.imagesDbBytes().isEmpty()); // images.db is left alone until Exit
    QCOMPARE(s.imagesDbBytes().count('\n'), 3);
}

void TestList::removeOnlyEntryGivesEmptyState() {
    Session s;
    TForm1& form = s.start({s.picture(QStringLiteral("only.bmp"), 10)});
    form.RemovePicture1->trigger();

    QVERIFY(s.dialogs.errors.isEmpty());
    QVERIFY(form.ImageList.isEmpty());
    QCOMPARE(comboItems(form), QStringList{TForm1::NoImagesSelected()});
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessary"));
    QVERIFY(form.preview.isNull());
    QVERIFY(form.Label9->isVisible());
    QVERIFY(!form.Button4->isEnabled() && !form.Button5->isEnabled() && !form.Button3->isEnabled());
    QVERIFY(!form.Next1->isEnabled() && !form.PreviousPicture1->isEnabled());
    QVERIFY(!form.UpDown2->isEnabled());
    QVERIFY(form.Button6->isEnabled());
}

void TestList::clearAll() {
    Session s;
    const QString a = s.picture(QStringLiteral("a.bmp"), 10);
    const QString b = s.picture(QStringLiteral("b.bmp"), 11);
    TForm1& form = s.start({b});
    s.dialogs.nextFiles = {a};
    form.AddFiles1Click();
    form.Button5->click();

    QVERIFY(form.ImageList.isEmpty());
    QVERIFY(form.ImageList.isSorted()); // stays on
    QCOMPARE(comboItems(form), QStringList{TForm1::NoImagesSelected()});
    QCOMPARE(form.windowTitle(), QStringLiteral("Tessary"));
    QVERIFY(s.dialogs.modalsShown.isEmpty() && s.dialogs.informations.isEmpty()); // no question
    QVERIFY(s.platform.wallpaperCalls.empty());

    // Adding again after clearing starts a sorted list from nothing.
    s.dialogs.nextFiles = {b, a};
    form.AddFiles1Click();
    QCOMPARE(form.ImageList.entries(), QStringList({a, b}));
    QCOMPARE(form.CurrentIndex, 1);
    QCOMPARE(form.UpDown2->maximum(), 2);
}

void TestList::upDownPastTheEndChangesNothing() {
    Session s;
    TForm1& form =
        s.start({s.picture(QStringLiteral("a.bmp"), 10), s.picture(QStringLiteral("b.bmp"), 11),
                 s.picture(QStringLiteral("c.bmp"), 12)});
    form.PreviousPicture1->trigger(); // onto the last entry
    QCOMPARE(form.CurrentIndex, 2);
    const QString title = form.windowTitle();

    form.UpDown2->rightArrow()->click();
    QCOMPARE(form.UpDown2->position(), 3);
    QCOMPARE(form.CurrentIndex, 2);
    QCOMPARE(form.preview.width(), 12);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.ComboBox1->currentIndex(), 2);

    form.Next1->trigger(); // still the entry after the current one
    QCOMPARE(form.CurrentIndex, 0);
    QCOMPARE(form.preview.width(), 10);

    // After a removal the maximum lies further beyond the last entry: still nothing changes.
    choose(form, 2);
    form.Button4->click();
    QCOMPARE(form.CurrentIndex, 1);
    form.UpDown2->rightArrow()->click();
    form.UpDown2->rightArrow()->click();
    QCOMPARE(form.UpDown2->position(), 3);
    QCOMPARE(form.CurrentIndex, 1);
    QCOMPARE(form.preview.width(), 11);
    QVERIFY(s.dialogs.errors.isEmpty());
}

void TestList::upDownAndDropDownShowTheirEntry() {
    Session s;
    TForm1& form =
        s.start({s.picture(QStringLiteral("a.bmp"), 10), s.picture(QStringLiteral("b.bmp"), 11),
                 s.picture(QStringLiteral("c.bmp"), 12)});
    form.UpDown2->rightArrow()->click();
    QCOMPARE(form.CurrentIndex, 1);
    QCOMPARE(form.preview.width(), 11);
    QCOMPARE(form.ComboBox1->currentIndex(), 1);

    choose(form, 2);
    QCOMPARE(form.CurrentIndex, 2);
    QCOMPARE(form.preview.width(), 12);
    QCOMPARE(form.UpDown2->position(), 2);

    form.UpDown2->leftArrow()->click();
    form.UpDown2->leftArrow()->click();
    form.UpDown2->leftArrow()->click(); // stays at 0
    QCOMPARE(form.UpDown2->position(), 0);
    QCOMPARE(form.CurrentIndex, 0);
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QVERIFY(s.platform.wallpaperCalls.empty());
}

void TestList::failedNextKeepsControlsOnPrevious() {
    Session s;
    TForm1& form =
        s.start({s.picture(QStringLiteral("a.bmp"), 10), s.broken(QStringLiteral("b.bmp")),
                 s.picture(QStringLiteral("c.bmp"), 12)});
    form.Next1->trigger();

    QCOMPARE(s.dialogs.errors.size(), 1);
    QCOMPARE(form.CurrentIndex, 1); // already designates the failed entry
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QCOMPARE(form.UpDown2->position(), 0);
    QCOMPARE(form.ImageList.count(), 3); // the entry stays

    form.Next1->trigger(); // goes on from the failed entry
    QCOMPARE(s.dialogs.errors.size(), 1);
    QCOMPARE(form.CurrentIndex, 2);
    QCOMPARE(form.preview.width(), 12);
    QCOMPARE(form.ComboBox1->currentIndex(), 2);
}

void TestList::failedAddKeepsControls() {
    Session s;
    const QString bad = s.broken(QStringLiteral("bad.bmp"));
    TForm1& form = s.start();
    s.dialogs.nextFiles = {bad};
    form.Button6->click();

    QCOMPARE(s.dialogs.errors.size(), 1);
    QCOMPARE(form.ImageList.entries(), QStringList{bad});
    QCOMPARE(comboItems(form), QStringList{"bad.bmp"});
    // Listed, so selected and removable: the controls follow the list, the preview stays empty.
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QVERIFY(form.Button4->isEnabled() && form.Button3->isEnabled());
    QVERIFY(form.Label9->isVisible());

    // From a non-empty list: Remove with nothing selected removes nothing.
    const QString good = s.picture(QStringLiteral("good.bmp"), 10);
    s.dialogs.nextFiles = {good};
    form.Button6->click();
    QCOMPARE(form.ComboBox1->currentIndex(), 1);
    s.dialogs.nextFiles = {s.broken(QStringLiteral("worse.bmp"))};
    form.Button6->click();
    QCOMPARE(s.dialogs.errors.size(), 2);
    QCOMPARE(form.ComboBox1->currentIndex(), 2);
    QCOMPARE(form.UpDown2->maximum(), 3);
    QVERIFY(!form.Label9->isVisible()); // the good picture stays on display
    form.Button4->click();
    QCOMPARE(form.ImageList.count(), 2);
    QCOMPARE(s.dialogs.errors.size(), 2);
}

// A drop from a file manager adds as Add does: a folder's pictures too, the first shown; what is
// no picture is named in one message after the rest is in. While rotating, nothing is added.
void TestList::droppedFilesAndFoldersAreAdded() {
    Session s;
    const QString a = s.picture(QStringLiteral("a.bmp"), 11);
    const QString b = s.picture(QStringLiteral("more/b.bmp"), 12);
    const QString c = s.picture(QStringLiteral("more/deep/c.bmp"), 13);
    const QString text = s.broken(QStringLiteral("notes.txt"));
    TForm1& form = s.start();
    const auto drop = [&form](const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &event);
        QVERIFY(event.isAccepted());
        QCoreApplication::processEvents();
    };
    drop({QFileInfo(b).path(), text});
    QCOMPARE(form.ImageList.entries(), QStringList({b, c}));
    QCOMPARE(form.preview.width(), 12);
    QCOMPARE(s.dialogs.errors.size(), 1);
    QVERIFY(s.dialogs.errors.first().contains(text));

    form.Button3->click();
    drop({a});
    QCOMPARE(form.ImageList.count(), 2);
    QCOMPARE(s.dialogs.errors.size(), 2);
    form.Button3->click();
}

QTEST_MAIN(TestList)
#include "TestList.moc"
