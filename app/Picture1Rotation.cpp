// The rotation: Start and Stop, the tick and the random pick.
#include "app/Picture1.h"

#include "app/UpDown.h"
#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "tray/Tray.h"
#include "wallpaper/PictureMemory.h"

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
        RotationPool.fill(ImageList.entries());
        m_rotationProblemsTold.clear();
        Tessarize();
        SavedPeriod = countdown;
        Timer2->start();
        keepSpareBlock(SavedPeriod.totalSeconds() <= KeepPictureMemorySeconds);
        Button3->setText(tr("Stop"));
        Start1->setText(tr("Stop Tessarying"));
        setGroupEnabled(rotationLockedControls(), false);
    } else {
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

void TForm1::Timer2Timer() {
    countdown.tick();
    // A bar whose maximum is below the period stays full until the pick.
    if (ProgressBar1->value() < ProgressBar1->maximum())
        ProgressBar1->setValue(ProgressBar1->value() + 1);
    TrayHintText = StartedHintPrefix() + FormatTime();
    Tray1->SetHint(TrayHintText);
    if (countdown.isZero()) {
        pickDuringTick();
        countdown = SavedPeriod;
        ProgressBar1->setValue(0);
    }
    Update_Timer();
}

// A failed pick must not stop the rotation at 00:00:00 nor put a message box up at every
// expiry: the picture at fault leaves this cycle, the countdown starts again, and the user is
// told once per cause.
void TForm1::pickDuringTick() {
    try {
        Tessarize();
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
    // next successful pick replaces it.
    if (!Tray1->ShowMessage(QStringLiteral("Tessary"), text))
        setWindowTitle(QStringLiteral("Tessary - ") + QString(text).replace(u'\n', u' '));
}

void TForm1::Update_Timer() {
    Label2->setText(FormatTime());
}

QString TForm1::FormatTime() const {
    return ::FormatTime(countdown);
}

void TForm1::Tessarize() {
    if (RotationPool.isEmpty())
        RotationPool.fill(ImageList.entries());
    if (RotationPool.isEmpty())
        throw AppError(tr("There are no pictures in the list to choose from."));
    const qsizetype k = RotationPool.draw(m_platform.nextRandom());
    const QString path = RotationPool.at(k);
    try {
        ApplyImage(path);
    } catch (const AppError& error) {
        throw PictureFailed(error, k);
    }
    if (Position == QLatin1String("Determine"))
        DeterminePos();
    else
        SetAsWallpaper(Position);
    selectByFileName(path);
    CurrentIndex = static_cast<std::int32_t>(ImageList.indexOf(path));
    UpDown2->setPosition(CurrentIndex);
    RotationPool.removeAt(k);
}
