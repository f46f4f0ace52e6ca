#include "app/FormParts.h"
#include "dialogs/Picture4.h"
#include "fakes/FakePlatform.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutAndTexts();
    void linksOpenAddresses();
    void closeCloses();
};

void TestAbout::layoutAndTexts() {
    FakePlatform platform;
    TForm4 about(platform);

    QCOMPARE(about.objectName(), QStringLiteral("Form4"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tessary"));
    QCOMPARE(about.size(), QSize(337, 217));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!(about.windowFlags() & Qt::WindowCloseButtonHint));

    QCOMPARE(about.Image1->geometry(), QRect(8, 6, 48, 48));
    const QImage icon = about.Image1->pixmap().toImage();
    QCOMPARE(icon.size(), QSize(48, 48));
    QVERIFY(icon.pixelColor(24, 24).alpha() > 0); // drawn, not blank

    QCOMPARE(about.Label1->text(), QStringLiteral("Tessary 0.2"));
    QCOMPARE(about.Label1->pos(), QPoint(64, 8));
    QVERIFY(about.Label1->font().bold());
    QVERIFY(!about.Label1->font().families().contains(QStringLiteral("Trebuchet MS")));

    const struct {
        QLabel* label;
        QString text;
        QPoint at;
        bool bold;
    } rows[] = {
        {about.Label4, QStringLiteral("Tessary Developed By:"), {8, 64}, true},
        {about.Label5, TForm4::Maker, {8, 80}, false},
        {about.Label6, QStringLiteral("Website:"), {8, 104}, true},
        {about.Label9, TForm4::HomePage, {8, 120}, false},
        {about.Label8, QStringLiteral("Support:"), {8, 144}, true},
        {about.Label7, TForm4::SupportAddress, {8, 160}, false},
    };
    for (const auto& row : rows) {
        QCOMPARE(row.label->text(), row.text);
        QCOMPARE(row.label->pos(), row.at);
        QCOMPARE(row.label->font().bold(), row.bold);
        QCOMPARE(row.label->font().pointSize(), 8);
        QVERIFY(row.label->font().families().contains(QStringLiteral("Trebuchet MS")));
    }
    QVERIFY(!TForm4::Maker.isEmpty());
    QVERIFY(TForm4::HomePage.startsWith(QLatin1String("https://")));
    QVERIFY(TForm4::SupportAddress.contains(u'@'));

    for (QLabel* link : {static_cast<QLabel*>(about.Label9), static_cast<QLabel*>(about.Label7)}) {
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
    }
    QCOMPARE(about.Label9->toolTip(), QStringLiteral("Click to Visit Tessary Home Page"));
    QCOMPARE(about.Label7->toolTip(), QStringLiteral("Click to Create Help E-Mail"));

    QCOMPARE(about.Button1->text(), QStringLiteral("Close"));
    QCOMPARE(about.Button1->toolTip(), QStringLiteral("Close Window"));
    QCOMPARE(about.Button1->geometry(), QRect(8, 184, 75, 25));
    QVERIFY(!about.Button1->autoDefault());

    QVERIFY(about.BackendLabel->text().contains(QStringLiteral("fake desktop")));
    QCOMPARE(about.ProgramLabel->toolTip(), QStringLiteral("/opt/tessary/picture"));
}

void TestAbout::linksOpenAddresses() {
    FakePlatform platform;
    TForm4 about(platform);
    about.show();
    QTest::mouseClick(about.Label9, Qt::LeftButton);
    QTest::mouseClick(about.Label7, Qt::LeftButton);
    QTest::mouseClick(about.Label7, Qt::RightButton); // only the left button follows a link
    QTest::mouseClick(about.Label9, Qt::LeftButton);

    QCOMPARE(platform.openedAddresses,
             QStringList({TForm4::HomePage, QStringLiteral("mailto:") + TForm4::SupportAddress,
                          TForm4::HomePage}));
    QVERIFY(about.isVisible()); // links leave the box open
}

void TestAbout::closeCloses() {
    FakePlatform platform;
    TForm4 about(platform);
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape); // there is no cancel button
    QVERIFY(about.isVisible());
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(platform.openedAddresses.isEmpty());
}

QTEST_MAIN(TestAbout)
#include "TestAbout.moc"
