#pragma once

#include "app/DialogStacking.h"
#include "app/PreviewCache.h"
#include "app/WorkQueue.h"
#include "imagelist/PictureList.h"
#include "rotation/Countdown.h"
#include "rotation/RotationPool.h"
#include "settings/Picture2.h"
#include "ui_Picture1.h"
#include "wallpaper/PictureLoader.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QScopeGuard>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class Platform;
class QAction;
class QDialog;
class QMenu;
class QTimer;
class TTray;
class UserDialogs;

// The main window and the controller of the whole program: it owns the picture list, the
// settings held in memory and the countdown, and every command is one of its handlers.
// Its controls come from its form, Picture1.ui, under the names the program knows them by.
// Member definitions are grouped by subsystem: Picture1.cpp (construction and wiring),
// Picture1Visibility.cpp, Picture1List.cpp, Picture1Wallpaper.cpp, Picture1Rotation.cpp,
// Picture1Settings.cpp.
class TForm1 : public QMainWindow, public Ui::Picture1 {
    Q_OBJECT

public:
    // Runs the whole start-up sequence; throws AppError when start-up must end. Heavy work goes
    // to `work`; without one it runs at once, inside each command.
    TForm1(Platform& platform, UserDialogs& dialogs, WorkQueue* work = nullptr,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // State of the program, under the names the rest of the program knows it by.
    PictureList ImageList;
    ::RotationPool RotationPool;
    std::int32_t CurrentIndex = 0;
    bool MinimizeTell = true;
    bool AutoStart = false;
    bool Minimized = false;
    bool StartWithWindows = false;
    QString Position = QStringLiteral("Determine");
    Countdown countdown;
    Countdown SavedPeriod{0, 0, 0};
    std::int32_t IntervalMs = 60000;
    QString StartFolder;
    QString TrayHintText;
    bool WindowHidden = true;
    bool ExitRequested = false;
    QString BackgroundText;
    std::uint32_t DesktopColor = 0;
    QString WallpaperFile;
    // The preview bitmap as shown: a large picture only as large as the preview needs (the
    // picture itself is decoded again from its file when it is placed).
    QImage preview;

    // The tray tips, the list's placeholder and the Add dialog's filter, in the user's language.
    static QString StartedHintPrefix();
    static QString StoppedHint();
    // The started tip's first lines while the wallpaper cannot be changed.
    static QString NotChangedHintPrefix();
    static const QString DefaultStartFolder;
    static QString NoImagesSelected();
    static QString OpenFilter();
    // The start button's caption while stopped, which the button compares to decide.
    static QString StartCaption();

    // Controls not on the form, named as the rest of the program names them.
    QTimer* Timer2 = nullptr;
    TTray* Tray1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* AddPicture1Menu = nullptr;
    QMenu* SetAsWallpaper1Menu = nullptr;
    QAction* AddPicture1 = nullptr;
    QAction* AddFiles2 = nullptr;
    QAction* RemovePicture1 = nullptr;
    QAction* ClearAll1 = nullptr;
    QAction* Next1 = nullptr;
    QAction* PreviousPicture1 = nullptr;
    QAction* Show1 = nullptr;
    QAction* Start1 = nullptr;
    QAction* SetAsWallpaper1 = nullptr;
    QAction* Determine1 = nullptr;
    QAction* Centered1 = nullptr;
    QAction* Tiled1 = nullptr;
    QAction* Stretched1 = nullptr;
    QAction* Timing1 = nullptr;
    QAction* Exit1 = nullptr;

    // Start-up and Options.
    void Button1Click();
    // What the Options dialog edits: this window's settings.
    OptionsSettings optionsSettings();

    // Visibility and ending.
    void Button2Click();
    // Answers whether the window may close.
    bool FormCloseQuery();
    void Show1Click();
    void DisplayHiddenMessage();
    void Image20Click();
    // Another start of the program asks for the window: shown as the tray's Show shows it,
    // un-minimised and raised; never hidden.
    void bringToFront();

    // The picture list.
    void LoadImagedb();
    void Update_ComboBox();
    void Reset();
    void EnterNonEmptyState();
    void AddFiles1Click();
    void Button4Click();
    void Button5Click();
    void Next1Click();
    void PreviousPicture1Click();
    void ComboBox1Change();
    void UpDown2Click();
    QString ImagesDbPath();
    // Files and folders from outside the window (the command line, another start, a drop):
    // their pictures are added as Add adds them; what is no picture is named in one message.
    // Refused with a message while the rotation runs, as Add is then.
    void addGivenPaths(const QStringList& paths);

    // Pictures, wallpaper and colour. The picture is decoded on the worker; `then` runs once it
    // is shown, and not at all when it fails or a later command replaced it meanwhile.
    void ApplyImage(const QString& path, const std::function<void()>& then = {});
    void SetAsWallpaper(const QString& position);
    void DeterminePos();
    void Determine1Click();
    void Centered1Click();
    void Tiled1Click();
    void Stretched1Click();
    void Convert_Color();
    void ApplyDesktopColor();

    // Rotation.
    void Button3Click();
    void Timer2Timer();
    void Update_Timer();
    QString FormatTime() const;
    // The random pick. `finished` gets nothing once the pick is done, or its error; without it
    // an error leaves as a command's own. Nothing at all when Stop or Exit came meanwhile.
    void Tessarize(const std::function<void(std::exception_ptr)>& finished = {});
    // A pick is on its way: ticks wait for it.
    bool picking() const { return m_picking; }

    // What a placement starts from: a file to decode (a pick's new picture, shown once decoded)
    // or the picture on display, with what the worker needs to know of the interface.
    struct Placing {
        QString path; // empty: `itself` is the picture
        bool jpeg = false;
        bool show = false; // a new picture: shown once decoded
        QImage itself;
        QString word; // "Determine" or a placement word
        QSize screen;
        QSize area; // the preview's, in device pixels
    };

    // Settings.
    void LoadRegistry();
    void SaveRegistry();

    // The controls that follow the list's empty and non-empty states, and those locked while
    // the rotation runs.
    QList<QObject*> listStateControls() const;
    QList<QObject*> rotationLockedControls() const;

    // Runs a command as every handler runs: an error leaving it is shown in a message box and
    // the program goes on; a silent abort shows nothing.
    void runGuarded(const std::function<void()>& handler);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildLayout();
    void buildMenu();
    void connectHandlers();
    void fitProgressRange();
    // Shows one of the program's dialogs modally, remembered as the open one meanwhile.
    int showModal(QDialog& dialog);
    // A handler wrapped in the error reporting, ready to connect to a signal.
    std::function<void()> guarded(void (TForm1::*handler)());
    void selectByFileName(const QString& path);
    // Adds pictures to the list and shows the first of them, as the Add dialog's choice is.
    void addPictures(const QStringList& paths);
    // Shows the picture at that place of the list, then selects it.
    void stepTo(int index);
    void pickDuringTick();
    void tellPickFailure(std::exception_ptr failed);
    void tellRotationProblem(const QString& key, const QString& text);
    // Says in the caption and, while rotating, the tip that the wallpaper could not be changed
    // and why; an empty reason puts them back: a picture that never reached the desktop is not
    // claimed as the wallpaper.
    void showWallpaperProblem(const QString& why);
    // The tip while rotating, for the time left.
    QString startedHint() const;
    // A pick on its way is dropped: nothing of it reaches the window any more.
    void dropPick();
    // The picture's own size, whatever the preview holds.
    QSize pictureSize() const;
    static QString fileTypeOf(const QString& path);
    QSize previewArea() const;
    void showPicture(const QString& path, bool jpeg, PreviewPicture picture);
    void showPictureFacts(const QString& path, const QString& fileType);
    // Decodes the preview again for a larger preview area.
    void refreshPreview();
    // Decodes ahead the previews of the pictures before and after this one in the list.
    void decodeNeighbours(const QString& path);

    // The steps of a placement that follow its work, each on the interface thread.
    struct PlaceSteps {
        std::function<bool()> wanted; // false: a later command made the result moot
        std::function<void()> shown;  // once the picture is in the preview
        std::function<void()> then;   // once the desktop was told
        // Takes an error instead of letting it leave; `loading`: the picture could not be had.
        std::function<void(std::exception_ptr, bool loading)> failed;
    };
    Placing placingOfDisplay(const QString& word) const;
    void place(const Placing& placing, const PlaceSteps& steps);
    // `bmpRows`: image.bmp's rows, already in a temporary file, to put in place of saving
    // `picture`.
    void writeWallpaper(const QString& word, bool determined, QImage picture,
                        std::shared_ptr<BmpRowWriter> bmpRows, const PlaceSteps& steps);

    // Posts work; an error of `done` leaves the command that posted it when the work ran at
    // once, and is shown as a command's error when it ends later.
    template <typename Work, typename Done> void offload(Work work, Done done) {
        ++m_posting;
        const auto posted = qScopeGuard([this] { --m_posting; });
        postWork(*m_work, this, std::move(work), [this, done = std::move(done)](auto& outcome) {
            if (m_posting > 0)
                done(outcome);
            else
                runGuarded([&] { done(outcome); });
        });
    }

    Platform& m_platform;
    UserDialogs& m_dialogs;
    std::unique_ptr<WorkQueue> m_ownWork;
    WorkQueue* m_work;
    int m_posting = 0;
    // Numbers the preview requests; only the newest is decoded and shown (shared with the
    // worker, which skips requests already replaced).
    std::shared_ptr<std::atomic<quint64>> m_previewTicket =
        std::make_shared<std::atomic<quint64>>(0);
    std::shared_ptr<PreviewCache> m_previewCache = std::make_shared<PreviewCache>();
    // Numbers the picks: Stop and Exit drop the one on its way.
    quint64 m_pickTicket = 0;
    bool m_picking = false;
    // Causes of failed picks already told during this rotation.
    QSet<QString> m_rotationProblemsTold;
    // The Options dialog, the notice or the About box while one is open.
    QPointer<QDialog> m_openDialog;
    // The caption naming the picture on display, and why the last placement failed, if it did.
    QString m_pictureCaption = QStringLiteral("Tessary");
    QString m_wallpaperProblem;
    // Keeps an open dialog in front of this window, whatever brings the window forward.
    DialogStacking m_dialogStacking{this};
    // The list as read, when a NUL byte left the rest of images.db unread: Exit then keeps the
    // file as it is unless the list was changed.
    std::optional<QStringList> m_listCutAtNul;
    // The file the preview was decoded from, to decode it whole when it is placed.
    struct PictureSource {
        QString path; // empty when the preview is the picture itself (none, or SizeFix's copy)
        bool jpeg = false;
        QSize size; // the picture's own size
    } m_pictureSource;
};

// Enables or disables a group of widgets and menu actions together.
void setGroupEnabled(const QList<QObject*>& group, bool enabled);

extern TForm1* Form1;
