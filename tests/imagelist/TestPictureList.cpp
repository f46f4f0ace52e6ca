#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"
#include "imagelist/ImagesDb.h"
#include "imagelist/PictureGathering.h"
#include "imagelist/PictureList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestPictureList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsesEveryLineEnd_data();
    void parsesEveryLineEnd();
    void writesCrLfAfterEveryLine();
    void keepsEveryByte_data();
    void keepsEveryByte();
    void roundTripsThroughTheFile();
    void missingFileIsEmptyAndUnreadableFileFails();
    void survivesHostileContent();
    void unsortedKeepsOrderAndDuplicates();
    void sortingSwitchesOnOnceAndSkipsDuplicates();
    void lookupIgnoresCaseBeyondAscii();
    void fileNamePartTakesTextAfterLastSeparator_data();
    void fileNamePartTakesTextAfterLastSeparator();
    void gathersPicturesOfFilesAndFolders();
};

void TestPictureList::parsesEveryLineEnd_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("blank line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("lone line end") << QByteArray("\n") << QStringList{""};
    QTest::newRow("lf then cr is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("nul ends the text") << QByteArray("a\r\nb\0c\r\nd", 10) << QStringList{"a", "b"};
    QTest::newRow("spaces kept") << QByteArray(" /x y.jpg \r\n") << QStringList{" /x y.jpg "};
    QTest::newRow("utf-8 names") << QByteArray("/p/\xc3\xa9t\xc3\xa9.jpg\n")
                                 << QStringList{QStringLiteral("/p/\u00e9t\u00e9.jpg")};
}

void TestPictureList::parsesEveryLineEnd() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(parseImagesDb(bytes), entries);
}

void TestPictureList::writesCrLfAfterEveryLine() {
    QCOMPARE(serializeImagesDb({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
    QCOMPARE(serializeImagesDb({}), QByteArray());
    // LF-only input comes back with CR LF.
    QCOMPARE(serializeImagesDb(parseImagesDb("x\ny")), QByteArray("x\r\ny\r\n"));
}

// A line's bytes come back exactly at Exit, valid UTF-8 or not; what the user sees has U+FFFD
// for each byte that is not part of valid UTF-8.
void TestPictureList::keepsEveryByte_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");
    QTest::newRow("utf-8") << QByteArray("/p/\xc3\xa9t\xc3\xa9.jpg")
                           << QStringLiteral("/p/\u00e9t\u00e9.jpg");
    QTest::newRow("latin-1") << QByteArray("/p/Geb\xe4ude.jpg")
                             << QStringLiteral("/p/Geb\ufffdude.jpg");
    QTest::newRow("lone continuation") << QByteArray("\x80x") << QStringLiteral("\ufffdx");
    QTest::newRow("overlong slash") << QByteArray("a\xc0\xaf"
                                                  "b")
                                    << QStringLiteral("a\ufffd\ufffdb");
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xa0\x80") << QStringLiteral("\ufffd\ufffd\ufffd");
    QTest::newRow("beyond U+10FFFF")
        << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("\ufffd\ufffd\ufffd\ufffd");
    QTest::newRow("cut at the end") << QByteArray("x\xe2\x82") << QStringLiteral("x\ufffd\ufffd");
    QTest::newRow("four bytes then a stray one")
        << QByteArray("\xf0\x90\x82\x80\x80") << QString::fromUcs4(U"\U00010080\ufffd");
    QTest::newRow("stray bytes between characters")
        << QByteArray("\xff\xc3\xa9\xfe\xf0\x9f\x98\x80\xfd")
        << QString::fromUcs4(U"\ufffd\u00e9\ufffd\U0001F600\ufffd");
    // A byte order mark is a character of the path like any other, at its start too.
    QTest::newRow("byte order mark first")
        << QByteArray("\xef\xbb\xbf/p/a.jpg") << QStringLiteral("\ufeff/p/a.jpg");
    QTest::newRow("byte order marks between stray bytes")
        << QByteArray("\xef\xbb\xbf\xd0\xef\xbb\xbf\x9d")
        << QStringLiteral("\ufeff\ufffd\ufeff\ufffd");
}

void TestPictureList::keepsEveryByte() {
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    const QByteArray file = line + "\r\n/b.jpg\r\n";
    const QStringList entries = parseImagesDb(file);
    QCOMPARE(entries.size(), 2);
    QCOMPARE(displayPath(entries.first()), shown);
    QCOMPARE(serializeImagesDb(entries), file);
    QCOMPARE(pathToBytes(entries.first()), line);
}

void TestPictureList::roundTripsThroughTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("images.db"));
    const QStringList entries{QStringLiteral("/home/u/b.jpg"), QString(),
                              QStringLiteral("/home/u/\u00c4rger.bmp")};
    writeImagesDb(path, entries);
    QCOMPARE(readImagesDb(path), entries);
    writeImagesDb(path, {});
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(readImagesDb(path), QStringList{});
    // Nothing but the file itself is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("images.db")});
}

void TestPictureList::missingFileIsEmptyAndUnreadableFileFails() {
    QTemporaryDir dir;
    QCOMPARE(readImagesDb(dir.filePath(QStringLiteral("none.db"))), QStringList{});
    // A folder in place of the file cannot be read as one.
    const QString folder = dir.filePath(QStringLiteral("images.db"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY_THROWS_EXCEPTION(AppError, readImagesDb(folder));
    try {
        readImagesDb(folder);
    } catch (const AppError& error) {
        QVERIFY(error.text().contains(folder));
    }
    // Writing where a folder stands fails and names the file.
    QVERIFY_THROWS_EXCEPTION(AppError, writeImagesDb(folder, {"a"}));
}

void TestPictureList::survivesHostileContent() {
    // Binary bytes: whatever comes before the first NUL is read as text, the rest is ignored.
    QByteArray binary("/a.jpg\r\n\xff\xfe\x80");
    for (int i = 1; i < 4096; ++i)
        binary += char((i * 37) & 0xff);
    const QStringList fromBinary = parseImagesDb(binary);
    QVERIFY(fromBinary.size() >= 2);
    QCOMPARE(fromBinary.first(), QStringLiteral("/a.jpg"));
    QVERIFY(fromBinary.size() < 4096 / 256 * 2 + 4); // stopped at the first NUL (i = 256)

    const QByteArray longLine(1 << 20, 'x');
    const QStringList one = parseImagesDb(longLine + "\r\n");
    QCOMPARE(one.size(), 1);
    QCOMPARE(one.first().size(), 1 << 20);

    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "/pictures/" + QByteArray::number(i) + ".jpg\r\n";
    const QStringList lines = parseImagesDb(many);
    QCOMPARE(lines.size(), 100000);
    QCOMPARE(lines.last(), QStringLiteral("/pictures/99999.jpg"));
}

void TestPictureList::unsortedKeepsOrderAndDuplicates() {
    PictureList list;
    list.assign({"/b.jpg", "/a.jpg", "/B.JPG"});
    QCOMPARE(list.indexOf(QStringLiteral("/b.jpg")), 0); // the first of equal entries
    QCOMPARE(list.indexOf(QStringLiteral("/A.JPG")), 1);
    QCOMPARE(list.indexOf(QStringLiteral("/c.jpg")), -1);
    QCOMPARE(list.add(QStringLiteral("/a.jpg")), 3);
    QCOMPARE(list.entries(), (QStringList{"/b.jpg", "/a.jpg", "/B.JPG", "/a.jpg"}));
}

void TestPictureList::sortingSwitchesOnOnceAndSkipsDuplicates() {
    PictureList list;
    list.assign({"/c.jpg", "/a.jpg", "/B.jpg", "/a.jpg"});
    list.add(QStringLiteral("/A.jpg")); // still unsorted: appended although present
    QCOMPARE(list.count(), 5);
    list.setSorted(true);
    QVERIFY(list.isSorted());
    // Sorting keeps the duplicates that were already there.
    QCOMPARE(list.count(), 5);
    QCOMPARE(list.at(3), QStringLiteral("/B.jpg"));
    QCOMPARE(list.at(4), QStringLiteral("/c.jpg"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(list.at(i).toLower(), QStringLiteral("/a.jpg"));
    // Sorted: an equal path is not added again, a new one goes to its place.
    QCOMPARE(list.add(QStringLiteral("/C.JPG")), 4);
    QCOMPARE(list.count(), 5);
    QCOMPARE(list.add(QStringLiteral("/bb.jpg")), 4);
    QCOMPARE(list.at(4), QStringLiteral("/bb.jpg"));
    QCOMPARE(list.indexOf(QStringLiteral("/BB.jpg")), 4);
    // Switching on again does not reorder; clearing keeps sorted mode.
    list.clear();
    QVERIFY(list.isSorted());
    list.add(QStringLiteral("/z.jpg"));
    list.add(QStringLiteral("/y.jpg"));
    QCOMPARE(list.entries(), (QStringList{"/y.jpg", "/z.jpg"}));
}

void TestPictureList::lookupIgnoresCaseBeyondAscii() {
    PictureList list;
    list.assign({QStringLiteral("/fotos/\u00c9t\u00c9.jpg"), QStringLiteral("/fotos/\u0416.bmp")});
    QCOMPARE(list.indexOf(QStringLiteral("/FOTOS/\u00e9t\u00e9.JPG")), 0);
    QCOMPARE(list.indexOf(QStringLiteral("/fotos/\u0436.bmp")), 1);
    list.setSorted(true);
    QCOMPARE(list.indexOf(QStringLiteral("/fotos/\u0436.BMP")),
             list.indexOf(QStringLiteral("/fotos/\u0416.bmp")));
    QVERIFY(list.indexOf(QStringLiteral("/fotos/\u00e9t\u00e9.jpg")) >= 0);
    QCOMPARE(list.indexOf(QStringLiteral("/fotos/ete.jpg")), -1);
}

void TestPictureList::fileNamePartTakesTextAfterLastSeparator_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("posix");
    QTest::addColumn<QString>("windows");
    QTest::newRow("unix") << "/home/u/a.b.jpeg"
                          << "a.b.jpeg"
                          << "a.b.jpeg";
    QTest::newRow("colons in a name") << "/home/u/Shot 10:30:15.jpg"
                                      << "Shot 10:30:15.jpg"
                                      << "15.jpg";
    QTest::newRow("backslash") << "C:\\Pics\\x.bmp"
                               << "C:\\Pics\\x.bmp"
                               << "x.bmp";
    QTest::newRow("drive only") << "C:x.bmp"
                                << "C:x.bmp"
                                << "x.bmp";
    QTest::newRow("trailing slash") << "/home/u/"
                                    << ""
                                    << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestPictureList::fileNamePartTakesTextAfterLastSeparator() {
    QFETCH(QString, path);
    QFETCH(QString, posix);
    QFETCH(QString, windows);
    QCOMPARE(fileNamePart(path, PathRules::Posix), posix);
    QCOMPARE(fileNamePart(path, PathRules::Windows), windows);
}

// Files and folders dropped or given on the command line: the pictures of a folder (and its
// subfolders) in name order, a looping link walked once, and what holds none named as given.
void TestPictureList::gathersPicturesOfFilesAndFolders() {
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char* name : {"top.JPEG", "notes.txt", "shots/b10.jpg", "shots/B2.bmp",
                             "shots/inner/a.jpg", "shots/readme", "empty/x.png"}) {
        QVERIFY(QDir(root).mkpath(QFileInfo(root + u'/' + QLatin1String(name)).path()));
        QFile file(root + u'/' + QLatin1String(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(root + QStringLiteral("/shots"), root + QStringLiteral("/shots/loop")));
    const GatheredPictures gathered =
        gatherPictures({root + QStringLiteral("/top.JPEG"), root + QStringLiteral("/shots"),
                        root + QStringLiteral("/notes.txt"), root + QStringLiteral("/empty"),
                        root + QStringLiteral("/gone.jpg")});
    QCOMPARE(gathered.pictures, QStringList({root + QStringLiteral("/top.JPEG"),
                                             root + QStringLiteral("/shots/b10.jpg"),
                                             root + QStringLiteral("/shots/B2.bmp"),
                                             root + QStringLiteral("/shots/inner/a.jpg")}));
    QCOMPARE(gathered.refused,
             QStringList({root + QStringLiteral("/notes.txt"), root + QStringLiteral("/empty"),
                          root + QStringLiteral("/gone.jpg")}));
}

QTEST_GUILESS_MAIN(TestPictureList)
#include "TestPictureList.moc"
