#include "app/Picture1.h"

#include "app/Artwork.h"
#include "app/FormParts.h"
#include "app/FormWidgets.h"
#include "app/PreviewImage.h"
#include "app/UpDown.h"
#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "settings/Picture2.h"
#include "settings/SettingsTable.h"
#include "tray/Tray.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <exception>

TForm1* Form1 = nullptr;

QString TForm1::StartedHintPrefix() {
    return tr("Tessary\nStatus: Started\nTime: ");
}

QString TForm1::NotChangedHintPrefix() {
    return tr("Tessary\nStatus: Started, wallpaper not changed\nTime: ");
}

QString TForm1::StoppedHint() {
    return tr("Tessary\nStatus: Stopped\nTime: Disabled");
}

const QString TForm1::DefaultStartFolder =
    QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");

QString TForm1::NoImagesSelected() {
    return tr("No Images Selected");
}

QString TForm1::OpenFilter() {
    return tr("Bitmap (*.bmp)|*.bmp;|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg;|All Images (*.bmp, "
              "*.jpg, *.jpeg)|*.bmp;*.jpg;*.jpeg;");
}

QString TForm1::StartCaption() {
    return tr("Start");
}

namespace {

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

} // namespace

TForm1::TForm1(Platform& platform, UserDialogs& dialogs, WorkQueue* work, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_dialogs(dialogs)
    , m_ownWork(work ? nullptr : std::make_unique<WorkQueueInline>())
    , m_work(work ? work : m_ownWork.get()) {
    Form1 = this;
    StartFolder = DefaultStartFolder;
    buildLayout();
    connectHandlers();

    LoadRegistry();
    if (!Minimized) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        show();
        Show1->setText(tr("Hide Tessary..."));
        WindowHidden = false;
    } else if (!TTray::IsAvailable()) {
        // Started hidden with no notification area to bring it back from: in the task bar.
        // (GNOME's overview, shown at logon, shows minimised windows too; the desktop is not
        // covered once it is left.)
        showMinimized();
    }
    LoadImagedb();
    Update_Timer();
    Convert_Color();
    // The name goes to the system and into "Wallpaper" as the system writes its paths.
    WallpaperFile =
        QDir::toNativeSeparators(m_platform.dataFolder() + QStringLiteral("/image.bmp"));
    TrayHintText = StoppedHint();
    Tray1->SetHint(TrayHintText);
    // A first pick that fails (a picture on a drive not mounted yet) is reported like a failed
    // Start from the button: the program stays, stopped, rather than ending at every logon.
    if (!ImageList.isEmpty() && AutoStart)
        runGuarded([this] { Button3Click(); });
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildLayout() {
    setupUi(this);
    setWindowIcon(Artwork::programIcon());
    FormParts::fitToDesktopFont(this);
    FormParts::paintWhite(centralWidget());
    FormParts::pressButtonsOnEnter(this);
    // Pictures and folders dropped from a file manager are added as Add adds them.
    setAcceptDrops(true);
    ComboBox1->addItem(NoImagesSelected());
    ComboBox1->setCurrentIndex(0);
    Button3->setText(StartCaption());
    const QSize usual = size();
    setMinimumSize(FormParts::settledSize(this, {}));
    resize(FormParts::settledSize(this, usual));

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    buildMenu();

    Tray1 = new TTray(this);
    Tray1->setObjectName(QStringLiteral("Tray1"));
    Tray1->SetHint(QStringLiteral("Tessary"));
    Tray1->SetIcon(Artwork::programIcon());
    Tray1->PopupMenu = PopupMenu1;
    Tray1->OnDoubleClick = [this] { runGuarded([this] { Show1Click(); }); };
    Tray1->Loaded();
}

void TForm1::buildMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    AddPicture1Menu = PopupMenu1->addMenu(tr("Add Pictures"));
    AddPicture1 = AddPicture1Menu->menuAction();
    AddPicture1->setObjectName(QStringLiteral("AddPicture1"));
    AddFiles2 = menuItem(AddPicture1Menu, "AddFiles2", tr("Add Files..."));
    RemovePicture1 = menuItem(PopupMenu1, "RemovePicture1", tr("Remove Picture"), false);
    ClearAll1 = menuItem(PopupMenu1, "ClearAll1", tr("Clear All Pictures"), false);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N3"));
    Next1 = menuItem(PopupMenu1, "Next1", tr("Next Picture"), false);
    PreviousPicture1 = menuItem(PopupMenu1, "PreviousPicture1", tr("Previous Picture"), false);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Show1 = menuItem(PopupMenu1, "Show1", tr("Show Tessary..."));
    Start1 = menuItem(PopupMenu1, "Start1", tr("Start Tessarying"), false);
    SetAsWallpaper1Menu = PopupMenu1->addMenu(tr("Set As Wallpaper"));
    SetAsWallpaper1 = SetAsWallpaper1Menu->menuAction();
    SetAsWallpaper1->setObjectName(QStringLiteral("SetAsWallpaper1"));
    SetAsWallpaper1->setEnabled(false);
    Determine1 = menuItem(SetAsWallpaper1Menu, "Determine1", tr("Determine"));
    Centered1 = menuItem(SetAsWallpaper1Menu, "Centered1", tr("Centered"));
    Tiled1 = menuItem(SetAsWallpaper1Menu, "Tiled1", tr("Tiled"));
    Stretched1 = menuItem(SetAsWallpaper1Menu, "Stretched1", tr("Stretched"));
    Timing1 = menuItem(PopupMenu1, "Timing1", tr("Options..."));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
    Exit1 = menuItem(PopupMenu1, "Exit1", tr("Exit"));
}

std::function<void()> TForm1::guarded(void (TForm1::*handler)()) {
    return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); };
}

void TForm1::runGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const SilentAbort&) {
    } catch (const AppError& error) {
        m_dialogs.showError(this, error.text());
    } catch (const std::exception& error) {
        m_dialogs.showError(this, QString::fromLocal8Bit(error.what()));
    }
}

void TForm1::connectHandlers() {
    const auto onClick = [this](QPushButton* b, void (TForm1::*h)()) {
        connect(b, &QPushButton::clicked, this, guarded(h));
    };
    const auto onTrigger = [this](QAction* a, void (TForm1::*h)()) {
        connect(a, &QAction::triggered, this, [this, h] {
            // The tray's menu stays usable while a dialog is open; a command other than showing
            // and ending the program brings the dialog forward instead of acting behind it.
            if (m_openDialog && h != &TForm1::Show1Click && h != &TForm1::Button2Click)
                m_dialogStacking.bringDialogsForward();
            else
                runGuarded([this, h] { (this->*h)(); });
        });
    };
    onClick(Button1, &TForm1::Button1Click);
    onClick(Button2, &TForm1::Button2Click);
    onClick(Button3, &TForm1::Button3Click);
    onClick(Button4, &TForm1::Button4Click);
    onClick(Button5, &TForm1::Button5Click);
    onClick(Button6, &TForm1::AddFiles1Click);
    onTrigger(AddFiles2, &TForm1::AddFiles1Click);
    onTrigger(RemovePicture1, &TForm1::Button4Click);
    onTrigger(ClearAll1, &TForm1::Button5Click);
    onTrigger(Next1, &TForm1::Next1Click);
    onTrigger(PreviousPicture1, &TForm1::PreviousPicture1Click);
    onTrigger(Show1, &TForm1::Show1Click);
    onTrigger(Start1, &TForm1::Button3Click);
    onTrigger(Determine1, &TForm1::Determine1Click);
    onTrigger(Centered1, &TForm1::Centered1Click);
    onTrigger(Tiled1, &TForm1::Tiled1Click);
    onTrigger(Stretched1, &TForm1::Stretched1Click);
    onTrigger(Timing1, &TForm1::Button1Click);
    onTrigger(Exit1, &TForm1::Button2Click);
    // Only a choice by the user runs the change handler; the program's own selections do not.
    connect(ComboBox1, &QComboBox::activated, this, guarded(&TForm1::ComboBox1Change));
    connect(UpDown2, &UpDown::clicked, this, guarded(&TForm1::UpDown2Click));
    connect(Timer2, &QTimer::timeout, this, guarded(&TForm1::Timer2Timer));
    connect(Image1, &PreviewImage::contextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(at); });
    connect(Image1, &PreviewImage::sharperImageWanted, this, [this] { refreshPreview(); });
    // The pop-up menu and the About box from the keyboard: the menu opens at the focused control.
    const auto shortcut = [this](const QKeySequence& keys, const std::function<void()>& act) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, act);
    };
    const auto popUpAtFocus = [this] {
        QWidget* at = focusWidget() ? focusWidget() : Image1;
        PopupMenu1->popup(at->mapToGlobal(at->rect().center()));
    };
    shortcut(QKeySequence(Qt::Key_Menu), popUpAtFocus);
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), popUpAtFocus);
    shortcut(QKeySequence(Qt::Key_F1), guarded(&TForm1::Image20Click));
    connect(Image20, &Banner::clicked, this, guarded(&TForm1::Image20Click));
}

QList<QObject*> TForm1::listStateControls() const {
    return {Button3,   Button4, Button5,          UpDown2, RemovePicture1,
            ClearAll1, Next1,   PreviousPicture1, Start1,  SetAsWallpaper1};
}

QList<QObject*> TForm1::rotationLockedControls() const {
    return {AddPicture1,     RemovePicture1, ClearAll1, Next1,   PreviousPicture1,
            SetAsWallpaper1, Timing1,        Button1,   Button6, Button4,
            Button5,         ComboBox1,      UpDown2};
}

void setGroupEnabled(const QList<QObject*>& group, bool enabled) {
    for (QObject* object : group) {
        if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setEnabled(enabled);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setEnabled(enabled);
    }
}

OptionsSettings TForm1::optionsSettings() {
    return {countdown, Position, DesktopColor, StartWithWindows, Minimized, AutoStart, [this] {
                ApplyDesktopColor();
            }};
}

void TForm1::fitProgressRange() {
    // A stored all-zero period would turn an empty range into a busy animation.
    ProgressBar1->setMaximum(std::max(1, IntervalMs / 1000));
}

int TForm1::showModal(QDialog& dialog) {
    QDialog* const outer = m_openDialog;
    m_openDialog = &dialog;
    const auto restore = qScopeGuard([this, outer] { m_openDialog = outer; });
    return m_dialogs.execModal(dialog);
}

void TForm1::Button1Click() {
    if (qobject_cast<TForm2*>(m_openDialog)) {
        FormParts::bringForward(m_openDialog);
        return;
    }
    TForm2 dialog(optionsSettings(), m_platform, m_dialogs, this);
    Form2 = &dialog;
    showModal(dialog);
    Form2 = nullptr;
    Update_Timer();
    IntervalMs = intervalMsFor(countdown);
    fitProgressRange();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    runGuarded([&] { mayClose = FormCloseQuery(); });
    if (mayClose) {
        event->accept();
        QCoreApplication::quit();
    } else
        event->ignore();
}
