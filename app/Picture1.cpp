#include "app/Picture1.h"

#include "app/Artwork.h"
#include "app/FormParts.h"
#include "app/PreviewImage.h"
#include "app/UpDown.h"
#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "settings/Picture2.h"
#include "settings/SettingsTable.h"
#include "tray/Tray.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <exception>

TForm1* Form1 = nullptr;

const QString TForm1::StartedHintPrefix = QStringLiteral("Tessary\nStatus: Started\nTime: ");
const QString TForm1::StoppedHint = QStringLiteral("Tessary\nStatus: Stopped\nTime: Disabled");
const QString TForm1::DefaultStartFolder =
    QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
const QString TForm1::NoImagesSelected = QStringLiteral("No Images Selected");
const QString TForm1::OpenFilter =
    QStringLiteral("Bitmap (*.bmp)|*.bmp;|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg;|All Images (*.bmp, "
                   "*.jpg, *.jpeg)|*.bmp;*.jpg;*.jpeg;");

namespace {

using FormParts::placed;
using FormParts::textLabel;
using FormParts::trebuchet;

QFrame* whitePanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    FormParts::paintWhite(panel);
    return panel;
}

QLabel* pictureAt(QWidget* parent, const char* name, const QPixmap& pixmap, int left, int top) {
    auto* label = placed<QLabel>(parent, name, left, top, pixmap.width(), pixmap.height());
    label->setPixmap(pixmap);
    return label;
}

// The six frame pictures of one row: corners top-left, top-right, bottom-right, bottom-left,
// then the top and bottom edges.
void frameRow(QWidget* row, const std::array<const char*, 6>& names) {
    pictureAt(row, names[0], Artwork::frameCorner(0), 0, 0);
    pictureAt(row, names[1], Artwork::frameCorner(1), 403, 0);
    pictureAt(row, names[2], Artwork::frameCorner(2), 403, 20);
    pictureAt(row, names[3], Artwork::frameCorner(3), 0, 20);
    pictureAt(row, names[4], Artwork::frameEdge(383), 20, -1);
    pictureAt(row, names[5], Artwork::frameEdge(383), 20, 38);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                    int left) {
    auto* b = placed<QPushButton>(parent, name, left, 8, 57, 24);
    b->setText(caption);
    b->setToolTip(hint);
    b->setFont(trebuchet());
    return b;
}

QAction* menuItem(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

// Keeps the three rows at their place relative to the band's width, as unanchored controls do.
class BottomBand : public QFrame {
public:
    using QFrame::QFrame;
    QList<QWidget*> rows;

protected:
    void resizeEvent(QResizeEvent*) override {
        for (QWidget* row : rows)
            row->move((width() - row->width()) / 2, row->y());
    }
};

} // namespace

TForm1::TForm1(Platform& platform, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_dialogs(dialogs) {
    Form1 = this;
    StartFolder = DefaultStartFolder;
    buildLayout();
    connectHandlers();

    LoadRegistry();
    if (!Minimized) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        show();
        Show1->setText(QStringLiteral("Hide Tessary..."));
        WindowHidden = false;
    }
    LoadImagedb();
    Update_Timer();
    Convert_Color();
    WallpaperFile = m_platform.dataFolder() + QStringLiteral("/image.bmp");
    TrayHintText = StoppedHint;
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
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tessary"));
    setWindowIcon(Artwork::programIcon());
    QFont base;
    base.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    base.setPixelSize(11);
    setFont(base);
    resize(455, 489);
    // Smaller, the buttons of the bottom band would be cut off.
    setMinimumSize(size());

    auto* client = whitePanel(this, "client");
    setCentralWidget(client);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel5 = whitePanel(client, "Panel5");
    Panel5->setFixedHeight(48);
    Image20 = pictureAt(Panel5, "Image20", Artwork::banner(457, 48), 0, 0);
    Image20->setCursor(Qt::PointingHandCursor);
    Image20->setToolTip(QStringLiteral("Click to see About Tessary"));
    column->addWidget(Panel5);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    Panel4 = whitePanel(client, "Panel4");
    Panel4->setFixedWidth(14);
    Panel3 = whitePanel(client, "Panel3");
    Panel3->setFixedWidth(14);
    Image1 = new PreviewImage(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral("No Images to Display"));
    middle->addWidget(Panel4);
    middle->addWidget(Image1, 1);
    middle->addWidget(Panel3);
    column->addLayout(middle, 1);
    Label9 = new QLabel(QStringLiteral("No Images to Display"), Image1);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setFont(trebuchet());
    Label9->setAlignment(Qt::AlignCenter);
    auto* overlay = new QVBoxLayout(Image1);
    overlay->addWidget(Label9);

    auto* band = new BottomBand(client);
    band->setObjectName(QStringLiteral("Panel1"));
    band->setAutoFillBackground(true);
    band->setPalette(Panel5->palette());
    band->setFixedHeight(159);
    Panel1 = band;
    column->addWidget(Panel1);
    Panel8 = whitePanel(Panel1, "Panel8");
    Panel8->setGeometry(16, 13, 425, 40);
    Panel2 = whitePanel(Panel1, "Panel2");
    Panel2->setGeometry(16, 59, 425, 40);
    Panel6 = whitePanel(Panel1, "Panel6");
    Panel6->setGeometry(16, 105, 425, 40);
    band->rows = {Panel8, Panel2, Panel6};

    frameRow(Panel8, {"Image7", "Image8", "Image16", "Image17", "Image19", "Image18"});
    frameRow(Panel2, {"Image9", "Image2", "Image3", "Image4", "Image6", "Image5"});
    frameRow(Panel6, {"Image10", "Image11", "Image12", "Image13", "Image15", "Image14"});

    QFont timerFont = trebuchet();
    timerFont.setBold(true);
    // Without the narrow face the wider fallback would not fit the labels at 19 pixels.
    timerFont.setPixelSize(19);
    if (!QFontInfo(timerFont).family().startsWith(QLatin1String("Trebuchet")))
        timerFont.setPixelSize(15);
    Label1 = placed<QLabel>(Panel8, "Label1", 10, 8, 60, 24);
    Label1->setText(QStringLiteral("Timer:"));
    Label2 = placed<QLabel>(Panel8, "Label2", 76, 8, 80, 24);
    Label2->setText(QStringLiteral("00:01:00"));
    for (QLabel* label : {Label1, Label2}) {
        label->setFont(timerFont);
        label->setAlignment(Qt::AlignCenter);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(pal);
    }
    ProgressBar1 = placed<QProgressBar>(Panel8, "ProgressBar1", 168, 12, 245, 17);
    ProgressBar1->setToolTip(QStringLiteral("Timer Progress"));
    ProgressBar1->setRange(0, 60);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    Button3 =
        button(Panel2, "Button3", QStringLiteral("Start"), QStringLiteral("Start Tessarying"), 8);
    Button3->setEnabled(false);
    Button1 = button(Panel2, "Button1", QStringLiteral("Options"),
                     QStringLiteral("View the Options Window"), 72);
    Button2 =
        button(Panel2, "Button2", QStringLiteral("Exit"), QStringLiteral("Exit Tessary"), 136);
    Label6 = textLabel(Panel2, "Label6", QStringLiteral("Filetype:"), 200, 12);
    Label5 = textLabel(Panel2, "Label5", QString(), 250, 12);
    Label8 = textLabel(Panel2, "Label8", QStringLiteral("Resolution:"), 291, 12);
    Label7 = textLabel(Panel2, "Label7", QString(), 352, 12);
    Label5->setMinimumWidth(40);
    Label7->setMinimumWidth(70);

    Button6 =
        button(Panel6, "Button6", QStringLiteral("Add"), QStringLiteral("Add Images to List"), 8);
    Button4 = button(Panel6, "Button4", QStringLiteral("Remove"),
                     QStringLiteral("Remove Current Image from List"), 72);
    Button4->setEnabled(false);
    Button5 = button(Panel6, "Button5", QStringLiteral("Clear All"),
                     QStringLiteral("Remove All Images from List"), 136);
    Button5->setEnabled(false);
    ComboBox1 = placed<QComboBox>(Panel6, "ComboBox1", 200, 8, 177, 24);
    ComboBox1->setFont(trebuchet());
    ComboBox1->setEditable(false);
    ComboBox1->setToolTip(QStringLiteral("View and select Images"));
    ComboBox1->addItem(NoImagesSelected);
    ComboBox1->setCurrentIndex(0);
    UpDown2 = placed<UpDown>(Panel6, "UpDown2", 384, 9, 31, 21);
    UpDown2->setToolTip(QStringLiteral("Click left or right to scroll through the Images"));
    UpDown2->setEnabled(false);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    AddPicture1Menu = PopupMenu1->addMenu(QStringLiteral("Add Pictures"));
    AddPicture1 = AddPicture1Menu->menuAction();
    AddPicture1->setObjectName(QStringLiteral("AddPicture1"));
    AddFiles2 = menuItem(AddPicture1Menu, "AddFiles2", QStringLiteral("Add Files..."));
    RemovePicture1 =
        menuItem(PopupMenu1, "RemovePicture1", QStringLiteral("Remove Picture"), false);
    ClearAll1 = menuItem(PopupMenu1, "ClearAll1", QStringLiteral("Clear All Pictures"), false);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N3"));
    Next1 = menuItem(PopupMenu1, "Next1", QStringLiteral("Next Picture"), false);
    PreviousPicture1 =
        menuItem(PopupMenu1, "PreviousPicture1", QStringLiteral("Previous Picture"), false);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Show1 = menuItem(PopupMenu1, "Show1", QStringLiteral("Show Tessary..."));
    Start1 = menuItem(PopupMenu1, "Start1", QStringLiteral("Start Tessarying"), false);
    SetAsWallpaper1Menu = PopupMenu1->addMenu(QStringLiteral("Set As Wallpaper"));
    SetAsWallpaper1 = SetAsWallpaper1Menu->menuAction();
    SetAsWallpaper1->setObjectName(QStringLiteral("SetAsWallpaper1"));
    SetAsWallpaper1->setEnabled(false);
    Determine1 = menuItem(SetAsWallpaper1Menu, "Determine1", QStringLiteral("Determine"));
    Centered1 = menuItem(SetAsWallpaper1Menu, "Centered1", QStringLiteral("Centered"));
    Tiled1 = menuItem(SetAsWallpaper1Menu, "Tiled1", QStringLiteral("Tiled"));
    Stretched1 = menuItem(SetAsWallpaper1Menu, "Stretched1", QStringLiteral("Stretched"));
    Timing1 = menuItem(PopupMenu1, "Timing1", QStringLiteral("Options..."));
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
    Exit1 = menuItem(PopupMenu1, "Exit1", QStringLiteral("Exit"));

    Tray1 = new TTray(this);
    Tray1->setObjectName(QStringLiteral("Tray1"));
    Tray1->SetHint(QStringLiteral("Tessary"));
    Tray1->SetIcon(Artwork::programIcon());
    Tray1->PopupMenu = PopupMenu1;
    Tray1->OnDoubleClick = [this] { runGuarded([this] { Show1Click(); }); };
    Tray1->Loaded();
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
            QDialog* dialog = m_openDialog;
            if (dialog && h != &TForm1::Show1Click && h != &TForm1::Button2Click)
                FormParts::bringForward(dialog);
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
    Image20->installEventFilter(this);
    Panel5->installEventFilter(this);
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

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image20 && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            runGuarded([this] { Image20Click(); });
        return true;
    }
    if (watched == Panel5 && event->type() == QEvent::Resize) {
        // The banner spans the window's whole width.
        Image20->setGeometry(0, 0, Panel5->width(), Panel5->height());
        Image20->setPixmap(Artwork::banner(Panel5->width(), Panel5->height()));
    }
    return QMainWindow::eventFilter(watched, event);
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
