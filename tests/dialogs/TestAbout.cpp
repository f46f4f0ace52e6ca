#include "app/FormParts.h"
#include "dialogs/Picture4.h"
#include "fakes/FakePlatform.h"
#include "tray/Tray.h"

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
    QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!(about.windowFlags() & Qt::WindowCloseButtonHint));

    const QImage icon = about.Image1->grab().toImage();
    QCOMPARE(icon.size(), QSize(48, 48) * icon.devicePixelRatio());
    QVERIFY(icon.pixelColor(icon.rect().center()) != QColor(Qt::white)); // drawn, not blank

    QCOMPARE(about.Label1->text(), QStringLiteral("Tessary 0.2"));
    QVERIFY(about.Label1->font().bold());
    QVERIFY(about.Label1->x() > about.Image1->x() + about.Image1->width() / 2);

    const struct {
        QLabel* label;
        QString text;
        bool bold;
    } rows[] = {
        {about.Label4, QStringLiteral("Tessary Developed By:"), true},
        {about.Label5, TForm4::Maker, false},
        {about.Label6, QStringLiteral("Website:"), true},
        {about.Label9, TForm4::HomePage, false},
        {about.Label8, QStringLiteral("Support:"), true},
        {about.Label7, TForm4::SupportAddress, false},
    };
    int below = about.Image1->geometry().bottom();
    for (const auto& row : rows) {
        QCOMPARE(row.label->text(), row.text);
        QCOMPARE(row.label->font().bold(), row.bold);
        // One face for the whole box: the desktop's.
        QCOMPARE(row.label->font().family(), about.Label1->font().family());
        QVERIFY2(row.label->y() > below, qPrintable(row.text));
        below = row.label->y();
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
    QVERIFY(about.Button1->y() > below);
    QVERIFY(!about.Button1->autoDefault());

    QVERIFY(about.BackendLabel->text().contains(QStringLiteral("fake desktop")));
    QCOMPARE(about.TrayLabel->isVisibleTo(&about), !TTray::IsAvailable());
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
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(platform.openedAddresses.isEmpty());
}

QTEST_MAIN(TestAbout)
#include "TestAbout.moc"
