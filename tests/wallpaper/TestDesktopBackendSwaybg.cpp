// The swaybg backend against a stand-in swaybg that records how it was started and then runs
// until it is ended, or fails the way swaybg does on a compositor without a background layer.
#include "app/platform/Errors.h"
#include "wallpaper/DesktopBackendSwaybg.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// Each start as "PID ARGUMENTS..." in the log; pid was written by the shell that then becomes
// sleep, so the pid is that of the process the backend runs.
const char FakeSwaybg[] =
    "#!/bin/sh\n"
    "echo \"$$ $*\" >>\"$(dirname \"$0\")/starts.log\"\n"
    "case \"$*\" in *refused*) echo 'no zwlr_layer_shell_v1'; exit 3 ;; esac\n"
    "exec sleep 60\n";

bool running(qint64 pid) {
    // The backend waits for what it ends, so an ended stand-in is gone, not a zombie.
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

} // namespace

class TestDesktopBackendSwaybg : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_program;
    QString m_picture;

    // Each start so far: its pid and its arguments.
    QList<std::pair<qint64, QString>> starts() const {
        QFile log(m_dir.filePath(QStringLiteral("starts.log")));
        QList<std::pair<qint64, QString>> result;
        if (!log.open(QIODevice::ReadOnly))
            return result;
        for (const QByteArray& line : log.readAll().split('\n'))
            if (const qsizetype space = line.indexOf(' '); space > 0)
                result.append(
                    {line.left(space).toLongLong(), QString::fromLocal8Bit(line.mid(space + 1))});
        return result;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_program = m_dir.filePath(QStringLiteral("swaybg"));
        QFile script(m_program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(FakeSwaybg);
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_picture = m_dir.filePath(QStringLiteral("image.bmp"));
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(m_picture));
    }

    void init() { QFile::remove(m_dir.filePath(QStringLiteral("starts.log"))); }

    // Each change starts a new swaybg before the previous one ends, so the desktop never shows
    // bare; the last one ends with the backend, as at Exit.
    void replacesAndEnds() {
        qint64 last = 0;
        {
            DesktopBackendSwaybg backend(m_program);
            backend.assumeBackgroundColor(QColor(0x10, 0x20, 0x30));
            backend.setWallpaper(m_picture, Placement::Tile);
            backend.setWallpaper(m_picture, Placement::Stretch);
            backend.setBackgroundColor(QColor(0xAB, 0xCD, 0xEF));
            const auto seen = starts();
            QCOMPARE(seen.size(), 3);
            QCOMPARE(seen[0].second,
                     QStringLiteral("-o * -i %1 -m tile -c #102030").arg(m_picture));
            QCOMPARE(seen[1].second,
                     QStringLiteral("-o * -i %1 -m stretch -c #102030").arg(m_picture));
            QCOMPARE(seen[2].second,
                     QStringLiteral("-o * -i %1 -m stretch -c #abcdef").arg(m_picture));
            QVERIFY(!running(seen[0].first));
            QVERIFY(!running(seen[1].first));
            QVERIFY(running(seen[2].first));
            last = seen[2].first;
        }
        QVERIFY(!running(last));
    }

    // A compositor without the background layer makes swaybg end at once: its reason reaches
    // the user, and the picture shown before stays.
    void refusalIsAnError() {
        DesktopBackendSwaybg backend(m_program);
        backend.setWallpaper(m_picture, Placement::Center);
        backend.assumeBackgroundColor(Qt::black);
        const QString refused = m_dir.filePath(QStringLiteral("refused.bmp"));
        QVERIFY(QFile::copy(m_picture, refused));
        try {
            backend.setWallpaper(refused, Placement::Center);
            QFAIL("no error");
        } catch (const AppError& error) {
            QVERIFY2(error.text().contains(QLatin1String("no zwlr_layer_shell_v1")),
                     qPrintable(error.text()));
            QVERIFY2(error.text().contains(QLatin1String("exit code 3")), qPrintable(error.text()));
        }
        QVERIFY(running(starts().constFirst().first));
    }

    void missingPictureOrProgram() {
        DesktopBackendSwaybg backend(m_program);
        QVERIFY_THROWS_EXCEPTION(
            AppError,
            backend.setWallpaper(m_dir.filePath(QStringLiteral("gone.bmp")), Placement::Center));
        QVERIFY(starts().isEmpty());
        DesktopBackendSwaybg absent(m_dir.filePath(QStringLiteral("no-such-swaybg")));
        QVERIFY_THROWS_EXCEPTION(AppError, absent.setWallpaper(m_picture, Placement::Center));
    }
};

QTEST_GUILESS_MAIN(TestDesktopBackendSwaybg)
#include "TestDesktopBackendSwaybg.moc"
