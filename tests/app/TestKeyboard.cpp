#include "app/Picture1.h"
#include "dialogs/Picture3.h"
#include "dialogs/Picture4.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "settings/Picture2.h"

#include <QAccessible>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// Every command without a mouse, and every control named for screen readers.
class TestKeyboard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mainWindowKeys_data();
    void mainWindowKeys();
    void dialogKeys();
    void everyFocusableControlIsNamed();
};

void TestKeyboard::mainWindowKeys_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("opens"); // a dialog's name, or "menu"
    QTest::newRow("Enter on the banner") << "Image20" << QKeyCombination(Qt::Key_Return) << "Form4";
    QTest::newRow("Space on the banner") << "Image20" << QKeyCombination(Qt::Key_Space) << "Form4";
    QTest::newRow("F1 anywhere") << "Button2" << QKeyCombination(Qt::Key_F1) << "Form4";
    QTest::newRow("Enter on Options") << "Button1" << QKeyCombination(Qt::Key_Return) << "Form2";
    QTest::newRow("keypad Enter on Options")
        << "Button1" << QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter) << "Form2";
    QTest::newRow("Menu key on the preview") << "Image1" << QKeyCombination(Qt::Key_Menu) << "menu";
    QTest::newRow("Shift+F10 on Add")
        << "Button6" << QKeyCombination(Qt::ShiftModifier, Qt::Key_F10) << "menu";
    QTest::newRow("Enter on the list opens nothing")
        << "ComboBox1" << QKeyCombination(Qt::Key_Return) << "";
}

void TestKeyboard::mainWindowKeys() {
    QFETCH(QString, control);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, opens);
    FakePlatform platform;
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* target = form.findChild<QWidget*>(control);
    QVERIFY(target);
    target->setFocus();
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    if (opens == QLatin1String("menu")) {
        QTRY_VERIFY(form.PopupMenu1->isVisible());
        // At the focused control, not wherever the mouse is.
        const QRect at(target->mapToGlobal(QPoint()), target->size());
        QVERIFY(at.intersects(form.PopupMenu1->geometry()));
        form.PopupMenu1->hide();
        QVERIFY(dialogs.modalsShown.isEmpty());
    } else {
        QCOMPARE(dialogs.modalsShown, opens.isEmpty() ? QStringList() : QStringList{opens});
        QVERIFY(!form.PopupMenu1->isVisible());
    }
}

void TestKeyboard::dialogKeys() {
    FakePlatform platform;
    FakeUserDialogs dialogs;
    TForm1 form(platform, dialogs);
    {
        // The swatch opens the colour chooser; Enter on a slider presses no button.
        TForm2 options(form.optionsSettings(), platform, dialogs, &form);
        options.show();
        dialogs.nextColor = QColor(10, 20, 30);
        QTest::keyClick(options.Shape1, Qt::Key_Space);
        QCOMPARE(options.Shape1->color(), QColor(10, 20, 30));
        QTest::keyClick(options.TrackBar3, Qt::Key_Return);
        QVERIFY(options.isVisible());
        QTest::keyClick(options.Button1, Qt::Key_Return);
        QVERIFY(!options.isVisible());
        QCOMPARE(options.result(), int(QDialog::Rejected));
    }
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        // Enter is OK; Escape closes as OK does, the tick kept.
        bool tell = true;
        TForm3 notice(platform.store, dialogs, tell, &form);
        notice.show();
        notice.CheckBox1->setChecked(true);
        QTest::keyClick(notice.CheckBox1, key);
        QVERIFY(!notice.isVisible());
        QVERIFY(!tell);
        QVERIFY(!platform.store.readBool(RegistryKeys::Product, QStringLiteral("MinimizeTell")));
    }
    TForm4 about(platform, &form);
    about.show();
    QTest::keyClick(about.Button1, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

void TestKeyboard::everyFocusableControlIsNamed() {
    FakePlatform platform;
    FakeUserDialogs dialogs;
    bool tell = true;
    TForm1 form(platform, dialogs);
    TForm2 options(form.optionsSettings(), platform, dialogs, &form);
    TForm3 notice(platform.store, dialogs, tell, &form);
    TForm4 about(platform, &form);
    int controls = 0;
    for (QWidget* window : {static_cast<QWidget*>(&form), static_cast<QWidget*>(&options),
                            static_cast<QWidget*>(&notice), static_cast<QWidget*>(&about)}) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != window)
                continue;
            ++controls;
            QAccessibleInterface* described = QAccessible::queryAccessibleInterface(w);
            QVERIFY(described);
            const QString what = window->objectName() + u'.' + w->objectName() + u'.' +
                                 QString::fromLatin1(w->metaObject()->className());
            QVERIFY2(!described->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(what));
            // A control that takes the focus is announced as one, not as a bare area.
            QVERIFY2(described->role() != QAccessible::Client &&
                         described->role() != QAccessible::NoRole,
                     qPrintable(what));
        }
    }
    QVERIFY(controls >= 24);
}

QTEST_MAIN(TestKeyboard)
#include "TestKeyboard.moc"
