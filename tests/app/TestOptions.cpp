#include "app/FormWidgets.h"
#include "app/Picture1.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "settings/Picture2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <memory>

namespace {

const QString Product = RegistryKeys::Product;
const QString Run = RegistryKeys::Run;
const QString Colors = RegistryKeys::Colors;

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<FakeUserDialogs> dialogs;
    std::unique_ptr<TForm1> form;

    // Opens the Options dialog from the main window and plays the user's part in it. The
    // modal showing is what runs FormShow, so the answer shows the dialog first.
    void options(const std::function<void(TForm2&)>& user) {
        dialogs->onModal = [&user](QDialog& dialog) {
            dialog.show();
            user(static_cast<TForm2&>(dialog));
        };
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        dialogs->onModal = nullptr;
    }

    void setPeriod(TForm2& dialog, int hours, int minutes, int seconds) {
        dialog.TrackBar3->setValue(hours);
        dialog.TrackBar1->setValue(minutes);
        dialog.TrackBar2->setValue(seconds);
    }

    QString stored(const QString& name) const { return platform->store.readString(Product, name); }

private Q_SLOTS:
    void init() {
        platform = std::make_unique<FakePlatform>();
        dialogs = std::make_unique<FakeUserDialogs>();
        platform->store.writeString(Colors, QStringLiteral("Background"),
                                    QStringLiteral("58 110 165"));
        form = std::make_unique<TForm1>(*platform, *dialogs);
    }
    void cleanup() { form.reset(); }

    void controlsAsDefined() {
        TForm2 dialog({form->countdown,
                       form->Position,
                       form->DesktopColor,
                       form->StartWithWindows,
                       form->Minimized,
                       form->AutoStart,
                       {}},
                      *platform, *dialogs);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tessary - Options"));
        QCOMPARE(dialog.TrackBar3->maximum(), 24);
        QCOMPARE(dialog.TrackBar1->maximum(), 59);
        QCOMPARE(dialog.TrackBar2->maximum(), 59);
        QCOMPARE(dialog.ComboBox1->count(), 4);
        QVERIFY(dialog.CheckBox1->isChecked());
        QVERIFY(!dialog.Button3->isDefault() && !dialog.Button3->autoDefault());
        QVERIFY(!dialog.Button1->isDefault() && !dialog.Button1->autoDefault());
        // Four framed strips, the controls of each inside it.
        const std::pair<const char*, QWidget*> strips[] = {{"Panel1", dialog.TrackBar3},
                                                           {"Panel2", dialog.TrackBar1},
                                                           {"Panel3", dialog.TrackBar2},
                                                           {"Panel4", dialog.ComboBox1}};
        for (const auto& [name, control] : strips) {
            auto* strip = dialog.findChild<RoundedStrip*>(QString::fromLatin1(name));
            QVERIFY(strip);
            QVERIFY(strip->isAncestorOf(control));
        }
    }

    void captionsAndHints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("hours") << "TrackBar3"
                               << ""
                               << "Click and drag to set amount of Hours";
        QTest::newRow("minutes") << "TrackBar1"
                                 << ""
                                 << "Click and drag to set amount of Minutes";
        QTest::newRow("seconds") << "TrackBar2"
                                 << ""
                                 << "Click and drag to set amount of Seconds";
        QTest::newRow("swatch") << "Shape1"
                                << ""
                                << "Click to set Backgorund Color";
        QTest::newRow("list") << "ComboBox1"
                              << ""
                              << "Click to set Default Background Position";
#ifdef Q_OS_WIN
        QTest::newRow("logon") << "CheckBox1"
                               << "Start Tessary with Windows"
                               << "Start Tessary on Windows Boot";
#else
        QTest::newRow("logon") << "CheckBox1"
                               << "Start Tessary at login"
                               << "Start Tessary when you log in";
#endif
        QTest::newRow("hidden") << "CheckBox2"
                                << "Start Minimized to Tray"
                                << "Start Tessary in System Tray";
        QTest::newRow("engine") << "CheckBox3"
                                << "Auto-start Tessary Engine"
                                << "Automatically Start Tessarying";
        QTest::newRow("ok") << "Button3"
                            << "OK"
                            << "Click to apply the above changes";
        QTest::newRow("cancel") << "Button1"
                                << "Cancel"
                                << "Click to discard the above changes";
        QTest::newRow("hours label") << "Label4"
                                     << "Hours (Max 24):"
                                     << "";
        QTest::newRow("minutes label") << "Label5"
                                       << "Minutes (Max 59):"
                                       << "";
        QTest::newRow("seconds label") << "Label6"
                                       << "Seconds (Max 59):"
                                       << "";
        QTest::newRow("style label") << "Label8"
                                     << "Wallpaper Style Settings:"
                                     << "";
        QTest::newRow("colour label") << "Label7"
                                      << "Background Color:"
                                      << "";
        QTest::newRow("position label") << "Label9"
                                        << "Position:"
                                        << "";
    }
    void captionsAndHints() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        TForm2 dialog({form->countdown,
                       form->Position,
                       form->DesktopColor,
                       form->StartWithWindows,
                       form->Minimized,
                       form->AutoStart,
                       {}},
                      *platform, *dialogs);
        auto* widget = dialog.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->toolTip(), hint);
        if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), caption);
        else if (auto* b = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(b->text(), caption);
    }

    void tabOrder() {
        TForm2 dialog({form->countdown,
                       form->Position,
                       form->DesktopColor,
                       form->StartWithWindows,
                       form->Minimized,
                       form->AutoStart,
                       {}},
                      *platform, *dialogs);
        const QList<QWidget*> order = {
            dialog.Button3, dialog.Button1,   dialog.TrackBar3, dialog.TrackBar1, dialog.TrackBar2,
            dialog.Shape1,  dialog.ComboBox1, dialog.CheckBox1, dialog.CheckBox2, dialog.CheckBox3};
        for (qsizetype i = 0; i + 1 < order.size(); ++i) {
            QWidget* next = order[i]->nextInFocusChain();
            // Skip what never takes focus from the keyboard (labels, frames, the list's parts).
            while (next != order[i + 1] && !(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, order[i + 1]);
        }
    }

    void showLoadsTheSettings() {
        form->countdown = {3, 7, 45};
        form->Position = QStringLiteral("sTrEtCh");
        form->StartWithWindows = true;
        form->Minimized = true;
        form->AutoStart = false;
        options([](TForm2& d) {
            QCOMPARE(d.TrackBar3->value(), 3);
            QCOMPARE(d.Label3->text(), QStringLiteral("03"));
            QCOMPARE(d.Label1->text(), QStringLiteral("07"));
            QCOMPARE(d.Label2->text(), QStringLiteral("45"));
            QCOMPARE(d.ComboBox1->currentText(), QStringLiteral("Stretch"));
            QVERIFY(d.CheckBox1->isChecked());
            QVERIFY(d.CheckBox2->isChecked() && d.CheckBox2->isEnabled());
            QVERIFY(!d.CheckBox3->isChecked() && d.CheckBox3->isEnabled());
            QCOMPARE(d.Shape1->color(), QColor(58, 110, 165));
        });
    }

    void allZeroIsRefused() {
        const QByteArray before = platform->store.serialize();
        options([this](TForm2& d) {
            setPeriod(d, 0, 0, 0);
            QTest::mouseClick(d.Button3, Qt::LeftButton);
            QCOMPARE(dialogs->informations,
                     QStringList(QStringLiteral("Tessary - Options|Hours, Minutes, and Seconds "
                                                "cannot all be set to 0.\n\nPlease set a valid "
                                                "time.")));
            QCOMPARE(platform->warningSounds, 1);
            QVERIFY(d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Rejected));
            QTest::mouseClick(d.Button1, Qt::LeftButton);
        });
        QCOMPARE(platform->store.serialize(), before);
        QCOMPARE(form->countdown, (Countdown{0, 1, 0}));
        QVERIFY(platform->desktopColors.empty());
    }

    void periodIsAccepted_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("label");
        QTest::newRow("largest") << 24 << 59 << 59 << "24:59:59";
        QTest::newRow("smallest") << 0 << 0 << 1 << "00:00:01";
    }
    void periodIsAccepted() {
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(QString, label);
        options([&](TForm2& d) {
            setPeriod(d, hours, minutes, seconds);
            QTest::mouseClick(d.Button3, Qt::LeftButton);
            QCOMPARE(d.result(), int(QDialog::Accepted));
        });
        QCOMPARE(form->countdown, (Countdown{hours, minutes, seconds}));
        QCOMPARE(stored(QStringLiteral("Hours")), QString::number(hours));
        QCOMPARE(stored(QStringLiteral("Minutes")), QString::number(minutes));
        QCOMPARE(stored(QStringLiteral("Seconds")), QString::number(seconds));
        QCOMPARE(form->Label2->text(), label);
        const int total = hours * 3600 + minutes * 60 + seconds;
        QCOMPARE(form->IntervalMs, total * 1000);
        QCOMPARE(form->ProgressBar1->maximum(), total);
        QVERIFY(dialogs->informations.isEmpty());
    }

    void outOfRangeIsClamped_data() {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("storedAs");
        QTest::newRow("99 hours") << 99 << 5 << 0 << "24 05 00"
                                  << "24 5 0";
        QTest::newRow("minutes and seconds") << 1 << 75 << 1000 << "01 59 59"
                                             << "1 59 59";
        QTest::newRow("negatives") << -1 << -5 << 7 << "00 00 07"
                                   << "0 0 7";
    }
    void outOfRangeIsClamped() {
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(QString, labels);
        QFETCH(QString, storedAs);
        form->countdown = {hours, minutes, seconds};
        options([&](TForm2& d) {
            QCOMPARE(QStringList({d.Label3->text(), d.Label1->text(), d.Label2->text()}).join(u' '),
                     labels);
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        });
        QCOMPARE(QStringList({stored(QStringLiteral("Hours")), stored(QStringLiteral("Minutes")),
                              stored(QStringLiteral("Seconds"))})
                     .join(u' '),
                 storedAs);
    }

    void negativeZeroPeriodIsRefused() {
        // A stored -1 shows as 0 on the bar; OK must not store what is not shown.
        form->countdown = {-1, 0, 0};
        options([this](TForm2& d) {
            QTest::mouseClick(d.Button3, Qt::LeftButton);
            QCOMPARE(platform->warningSounds, 1);
            QTest::mouseClick(d.Button1, Qt::LeftButton);
        });
        QCOMPARE(form->countdown, (Countdown{-1, 0, 0}));
    }

    void startWithWindowsOffClearsTheOtherTwo() {
        form->StartWithWindows = true;
        form->Minimized = true;
        form->AutoStart = true;
        form->SaveRegistry();
        QVERIFY(platform->store.valueExists(Run, QStringLiteral("Tessary")));
        options([](TForm2& d) {
            QTest::mouseClick(d.CheckBox1, Qt::LeftButton);
            QVERIFY(!d.CheckBox1->isChecked());
            QVERIFY(!d.CheckBox2->isEnabled() && !d.CheckBox3->isEnabled());
            QVERIFY(d.CheckBox2->isChecked() && d.CheckBox3->isChecked());
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        });
        QVERIFY(!form->StartWithWindows && !form->Minimized && !form->AutoStart);
        QVERIFY(!platform->store.readBool(Product, QStringLiteral("Minimized")));
        QVERIFY(!platform->store.readBool(Product, QStringLiteral("AutoStart")));
        QVERIFY(!platform->store.valueExists(Run, QStringLiteral("Tessary")));
    }

    void recheckingKeepsTheMarks() {
        form->StartWithWindows = false;
        form->Minimized = true;
        form->AutoStart = false;
        options([](TForm2& d) {
            QVERIFY(!d.CheckBox1->isChecked());
            QVERIFY(!d.CheckBox2->isEnabled());
            QTest::mouseClick(d.CheckBox1, Qt::LeftButton);
            QVERIFY(d.CheckBox2->isEnabled() && d.CheckBox3->isEnabled());
            QVERIFY(d.CheckBox2->isChecked() && !d.CheckBox3->isChecked());
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        });
        QVERIFY(form->StartWithWindows && form->Minimized && !form->AutoStart);
        QCOMPARE(platform->store.readString(Run, QStringLiteral("Tessary")),
                 platform->executablePath());
    }

    void offWithoutRunValueSucceeds() {
        form->StartWithWindows = false;
        options([](TForm2& d) { QTest::mouseClick(d.Button3, Qt::LeftButton); });
        QVERIFY(!platform->store.valueExists(Run, QStringLiteral("Tessary")));
        QVERIFY(dialogs->errors.isEmpty());
        QCOMPARE(dialogs->modalsShown, QStringList(QStringLiteral("Form2")));
    }

    void unmatchedPositionStoresEmpty() {
        form->Position = QStringLiteral("Diagonal");
        options([](TForm2& d) {
            QCOMPARE(d.ComboBox1->currentIndex(), -1);
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        });
        QCOMPARE(form->Position, QString());
        QCOMPARE(stored(QStringLiteral("Position")), QString());
    }

    void colourPickedThenCancelled() {
        dialogs->nextColor = QColor(1, 2, 3);
        options([this](TForm2& d) {
            QTest::mouseClick(d.Shape1, Qt::LeftButton);
            QCOMPARE(dialogs->lastInitialColor, QColor(58, 110, 165));
            QCOMPARE(form->DesktopColor, 0x030201u);
            QCOMPARE(d.Shape1->color(), QColor(1, 2, 3));
            QTest::mouseClick(d.Button1, Qt::LeftButton);
        });
        QCOMPARE(form->DesktopColor, 0xA56E3Au);
        QVERIFY(platform->desktopColors.empty());
        QCOMPARE(platform->store.readString(Colors, QStringLiteral("Background")),
                 QStringLiteral("58 110 165"));
    }

    void escapeRestoresTheColourToo() {
        dialogs->nextColor = QColor(1, 2, 3);
        options([](TForm2& d) {
            QTest::mouseClick(d.Shape1, Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QCOMPARE(form->DesktopColor, 0xA56E3Au);
    }

    void chooserCancelledChangesNothing() {
        dialogs->nextColor.reset();
        options([this](TForm2& d) {
            QTest::mouseClick(d.Shape1, Qt::RightButton);
            QCOMPARE(form->DesktopColor, 0xA56E3Au);
            QCOMPARE(d.Shape1->color(), QColor(58, 110, 165));
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        });
        QCOMPARE(platform->desktopColors, std::vector<std::uint32_t>{0xA56E3Au});
    }

    void colourPickedThenOk() {
        dialogs->nextColor = QColor(255, 128, 0);
        options([](TForm2& d) {
            QTest::mouseClick(d.Shape1, Qt::LeftButton);
            QTest::mouseClick(d.Button3, Qt::LeftButton);
        });
        QCOMPARE(form->DesktopColor, 0x0080FFu);
        QCOMPARE(platform->desktopColors, std::vector<std::uint32_t>{0x0080FFu});
        QCOMPARE(platform->store.readString(Colors, QStringLiteral("Background")),
                 QStringLiteral("255 128 0"));
    }

    void okRewritesUnchangedBackground() {
        platform->store.deleteValue(Colors, QStringLiteral("Background"));
        options([](TForm2& d) { QTest::mouseClick(d.Button3, Qt::LeftButton); });
        QCOMPARE(platform->store.readString(Colors, QStringLiteral("Background")),
                 QStringLiteral("58 110 165"));
    }

    void neverRunDialogKeepsTheColour() {
        // A showing that is closed before it loads must not reset the colour.
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        QCOMPARE(form->DesktopColor, 0xA56E3Au);
    }
};

QTEST_MAIN(TestOptions)
#include "TestOptions.moc"
