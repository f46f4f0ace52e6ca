// The rotation: Start and Stop, the tick and the random pick.
#include "app/Picture1.h"

#include "app/UpDown.h"
#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "tray/Tray.h"
#include "wallpaper/PictureMemory.h"
#include "wallpaper/PlacementWords.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace {

// Up to this period, the memory of one large picture is kept for the next between picks:
// mapping it afresh then costs more than a hundredth of the time (50 ms for 24 megapixels).
constexpr std::int64_t KeepPictureMemorySeconds = 5;

// A pick whose picture could not be loaded, with the pool position of that picture, so that a
// tick can leave it out of the cycle. Shown like any other error where nobody catches it.
class PictureFailed : public AppError {
public:
    PictureFailed(const AppError& error, qsizetype poolIndex)
        : AppError(error.text())
        , index(poolIndex) {}
    qsizetype index;
};

} // namespace

void TForm1::Button3Click() {
    if (Button3->text() == StartCaption()) {
        // Pressed again while its first pick is on its way: that pick decides.
        if (m_picking)
            return;
        RotationPool.fill(ImageList.entries());
        m_rotationProblemsTold.clear();
        // Nothing of the list may change under the first pick; Start goes on once it is done.
        setGroupEnabled(rotationLockedControls(), false);
        // From the first pick on: its memory is the first to keep.
        keepSpareBlock(countdown.totalSeconds() <= KeepPictureMemorySeconds);
        Tessarize([this](std::exception_ptr error) {
            if (error) {
                keepSpareBlock(false);
                setGroupEnabled(rotationLockedControls(), true);
                std::rethrow_exception(error);
            }
            SavedPeriod = countdown;
            Timer2->start();
            Button3->setText(tr("Stop"));
            Start1->setText(tr("Stop Tessarying"));
        });
    } else {
        dropPick();
        countdown = SavedPeriod;
        Update_Timer();
        Timer2->stop();
        keepSpareBlock(false);
        RotationPool.clear();
        Button3->setText(StartCaption());
        Start1->setText(tr("Start Tessarying"));
        setGroupEnabled(rotationLockedControls(), true);
        ProgressBar1->setValue(0);
        TrayHintText = StoppedHint();
        Tray1->SetHint(TrayHintText);
    }
}

void TForm1::dropPick() {
    ++m_pickTicket;
    m_picking = false;
}

void TForm1::Timer2Timer() {
    // The countdown waits while the last pick is still on its way: never two picks at once.
    if (m_picking)
        return;
    countdown.tick();
    // A bar whose maximum is below the period stays full until the pick.
    if (ProgressBar1->value() < ProgressBar1->maximum())
        ProgressBar1->setValue(ProgressBar1->value() + 1);
    TrayHintText = startedHint();
    Tray1->SetHint(TrayHintText);
    if (countdown.isZero())
        pickDuringTick();
    Update_Timer();
}

// A failed pick must not stop the rotation at 00:00:00 nor put a message box up at every
// expiry: the picture at fault leaves this cycle, the countdown starts again, and the user is
// told once per cause.
void TForm1::pickDuringTick() {
    const auto reload = [this] {
        countdown = SavedPeriod;
        ProgressBar1->setValue(0);
        Update_Timer();
    };
    try {
        Tessarize([this, reload](std::exception_ptr error) {
            if (error)
                tellPickFailure(error);
            reload();
        });
    } catch (...) {
        tellPickFailure(std::current_exception());
        reload();
    }
}

void TForm1::tellPickFailure(std::exception_ptr failed) {
    try {
        std::rethrow_exception(failed);
    } catch (const PictureFailed& failure) {
        const QString path = RotationPool.at(failure.index);
        RotationPool.removeAt(failure.index);
        tellRotationProblem(path, tr("Skipped %1: %2").arg(fileNamePart(path), failure.text()));
    } catch (const SilentAbort&) {
        tellRotationProblem(QStringLiteral("Position=") + Position,
                            tr("The wallpaper position \"%1\" is unknown: the "
                               "wallpaper was not changed.")
                                .arg(Position));
    } catch (const AppError& error) {
        tellRotationProblem(error.text(), error.text());
    } catch (const std::exception& error) {
        const QString text = QString::fromLocal8Bit(error.what());
        tellRotationProblem(text, text);
    }
}

void TForm1::tellRotationProblem(const QString& key, const QString& text) {
    if (m_rotationProblemsTold.contains(key))
        return;
    m_rotationProblemsTold.insert(key);
    // Without a notification area the caption is the one place seen even when minimised; the
    // next successful pick replaces it. A wallpaper not changed says so there already.
    const QString line = QString(text).replace(u'\n', u' ');
    if (!Tray1->ShowMessage(QStringLiteral("Tessary"), text) && !windowTitle().endsWith(line))
        setWindowTitle(QStringLiteral("Tessary - ") + line);
}

QString TForm1::startedHint() const {
    return (m_wallpaperProblem.isEmpty() ? StartedHintPrefix() : NotChangedHintPrefix()) +
           FormatTime();
}

void TForm1::Update_Timer() {
    Label2->setText(FormatTime());
}

QString TForm1::FormatTime() const {
    return ::FormatTime(countdown);
}

void TForm1::Tessarize(const std::function<void(std::exception_ptr)>& finished) {
    if (RotationPool.isEmpty())
        RotationPool.fill(ImageList.entries());
    if (RotationPool.isEmpty())
        throw AppError(tr("There are no pictures in the list to choose from."));
    const qsizetype k = RotationPool.draw(m_platform.nextRandom());
    const QString path = RotationPool.at(k);
    const QString fileType = fileTypeOf(path);
    Placing placing = placingOfDisplay(Position);
    PlaceSteps steps;
    if (fileType.isEmpty()) {
        // Nothing to load: the facts change, the picture on display is placed.
        showPictureFacts(path, fileType);
        if (preview.isNull()) {
            if (Position != QLatin1String("Determine"))
                styleForWord(Position);
            throw AppError(tr("There is no picture to set as wallpaper."));
        }
    } else {
        placing.path = path;
        placing.jpeg = fileType == QLatin1String("JPEG");
        placing.show = true;
        placing.itself = QImage();
        steps.shown = [this, path, fileType] { showPictureFacts(path, fileType); };
    }
    const quint64 ticket = ++m_pickTicket;
    m_picking = true;
    steps.wanted = [this, ticket] { return ticket == m_pickTicket; };
    steps.then = [this, path, k, finished] {
        m_picking = false;
        selectByFileName(path);
        CurrentIndex = static_cast<std::int32_t>(ImageList.indexOf(path));
        UpDown2->setPosition(CurrentIndex);
        RotationPool.removeAt(k);
        if (finished)
            finished(nullptr);
    };
    steps.failed = [this, k, finished](std::exception_ptr error, bool loading) {
        m_picking = false;
        if (loading) {
            try {
                std::rethrow_exception(error);
            } catch (const AppError& failure) {
                error = std::make_exception_ptr(PictureFailed(failure, k));
            } catch (...) {
            }
        }
        if (!finished)
            std::rethrow_exception(error);
        finished(error);
    };
    place(placing, steps);
}
