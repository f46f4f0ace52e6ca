// The cost of the rotation's one-second tick between picks: builds the main window offscreen
// over an in-memory platform, starts a rotation with a period far longer than the run, and
// drives 10,000 ticks, letting the window repaint after each one as the event loop would.
// Prints the CPU time per tick, the share of one core that makes at one tick a second, and the
// resident memory before and after.
#include "app/Picture1.h"
#include "app/platform/Platform.h"
#include "app/platform/Registry.h"
#include "app/platform/UserDialogs.h"
#include "app/platform/ValueStore.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <random>

namespace {

// Everything in memory or in a temporary folder; the desktop is never touched.
class BenchPlatform : public Platform {
public:
    BenchPlatform()
        : m_store({RegistryKeys::Run, RegistryKeys::Desktop, RegistryKeys::Colors}) {
        m_store.writeString(RegistryKeys::Colors, QStringLiteral("Background"),
                            QStringLiteral("0 0 0"));
    }
    Registry& registry() override { return m_store; }
    QString executablePath() const override { return QStringLiteral("/usr/bin/picture"); }
    QString dataFolder() override { return m_dir.path(); }
    QSize screenSize() const override { return {1920, 1080}; }
    std::uint32_t nextRandom() override { return m_random() >> 1; }
    void setWallpaper(const QString&, bool) override {}
    void setDesktopColor(std::uint32_t) override {}
    void playWarningSound() override {}
    void openAddress(const QString&) override {}
    QString desktopName() const override { return QStringLiteral("none"); }

private:
    ValueStore m_store;
    QTemporaryDir m_dir;
    std::mt19937 m_random{1};
};

// Errors are printed; nothing waits for a person.
class BenchDialogs : public UserDialogs {
public:
    void showError(QWidget*, const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
        ++errors;
    }
    void showInformation(QWidget*, const QString&, const QString&) override {}
    QStringList openFiles(QWidget*, const QString&, int, const QString&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, QColor) override { return std::nullopt; }
    int execModal(QDialog&) override { return QDialog::Rejected; }
    int errors = 0;
};

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 10000;

    BenchPlatform platform;
    BenchDialogs dialogs;
    QByteArray db;
    for (int i = 0; i < 5; ++i) {
        const QString path = platform.dataFolder() + QStringLiteral("/p%1.bmp").arg(i);
        QImage picture(640, 480, QImage::Format_RGB888);
        picture.fill(QColor::fromHsv(i * 60, 180, 200));
        picture.save(path, "BMP");
        db += path.toUtf8() + "\r\n";
    }
    QFile list(platform.dataFolder() + QStringLiteral("/images.db"));
    if (!list.open(QIODevice::WriteOnly) || list.write(db) != db.size())
        return 1;
    list.close();

    TForm1 form(platform, dialogs);
    form.Position = QStringLiteral("Center");
    // Longer than any run: only ticks are measured, never a pick.
    form.countdown = Countdown{9999, 59, 59};
    form.Button3Click();
    // The loop below is the clock: the real timer would add ticks nobody counts.
    form.Timer2->stop();
    // Warm up: first paints, caches and the allocator's pools.
    for (int i = 0; i < 1000; ++i) {
        form.Timer2Timer();
        QApplication::processEvents();
    }

    const long rssBefore = residentKiB();
    const double cpuBefore = cpuSeconds();
    for (int i = 0; i < ticks; ++i) {
        form.Timer2Timer();
        QApplication::processEvents();
    }
    const double cpu = cpuSeconds() - cpuBefore;
    const long rssAfter = residentKiB();

    const double perTickUs = cpu / ticks * 1e6;
    std::printf("ticks: %d (period 9999:59:59, no pick), countdown now %s\n", ticks,
                qPrintable(form.FormatTime()));
    std::printf("CPU per tick: %.1f us, i.e. %.4f %% of one core at one tick a second\n", perTickUs,
                perTickUs / 1e6 * 100.0);
    std::printf("resident memory: %ld KiB before, %ld KiB after, growth %ld KiB\n", rssBefore,
                rssAfter, rssAfter - rssBefore);
    form.Button3Click();
    return dialogs.errors == 0 ? 0 : 1;
}
