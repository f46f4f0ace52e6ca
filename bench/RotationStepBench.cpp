// One rotation step, timed: decode the picture as ApplyImage does, choose the placement as
// DeterminePos does (rescaling when it says so), write image.bmp. Each figure is set beside
// `djpeg -bmp` on the same file in the same run. "overlapped" is the same step as the program
// takes it: a picture placed at its own size written while it decodes.
//
// Usage: bench_rotation [--runs N] [--screen WxH] [--dir FOLDER]
// The pictures are generated at run time into a temporary folder (inside FOLDER if given:
// image.bmp is then written on that file system).

#include "app/platform/Errors.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/BmpRowWriter.h"
#include "wallpaper/PictureLoader.h"
#include "wallpaper/PlacementRule.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

struct Options {
    int runs = 9;
    QSize screen{1920, 1080};
    QString dir;
    QString generateInto; // set in the child that writes the pictures
};

struct Picture {
    const char* label;
    int width;
    int height;
    bool grey;
    bool progressive = false;

    QString fileIn(const QString& folder) const {
        return QDir(folder).filePath(QStringLiteral("%1x%2%3%4.jpg")
                                         .arg(width)
                                         .arg(height)
                                         .arg(grey ? "g" : "")
                                         .arg(progressive ? "p" : ""));
    }
};

const std::vector<Picture> pictures = {{"300x200 colour", 300, 200, false},
                                       {"1920x1080 colour", 1920, 1080, false},
                                       {"4000x3000 grey", 4000, 3000, true},
                                       {"6000x4000 colour", 6000, 4000, false},
                                       {"6000x4000 progr.", 6000, 4000, false, true}};

// Something like a photograph for the encoder: smooth gradients with grain, so the file size
// and decoding work are realistic (pure noise or flat colour would not be).
QImage syntheticPhoto(int width, int height, bool grey) {
    QImage image(width, height, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    QRandomGenerator rng(20261207);
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int grain = int(rng.bounded(24u));
            const int r = (x * 200 / width + grain) & 255;
            const int g = (y * 200 / height + grain / 2 + 30) & 255;
            const int b = (((x / 7) ^ (y / 5)) & 0x7f) + grain;
            if (grey)
                line[x] = uchar((r + g + b) / 3);
            else
                reinterpret_cast<QRgb*>(line)[x] = qRgb(r, g, b);
        }
    }
    return image;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// CPU time of the whole process, all its threads, so far.
double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct ChildRun {
    bool ok = false;
    double ms = 0;
    long peakKb = 0;
};

// Helper mode (--measure PROGRAM ARGS...): runs the program as a child of this small, fresh
// process and prints its time and peak memory. A child of the benchmark itself would start as
// a copy of the benchmark's memory, which then counts in the child's peak; so would a child
// started with vfork (posix_spawn), which shares its parent's memory until exec.
int measure(char** argv) {
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        execvp(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 1;
    std::printf("%f %ld\n", double(timer.nsecsElapsed()) / 1e6, usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

ChildRun runMeasured(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(),
                  QStringList{QStringLiteral("--measure"), program} + args);
    ChildRun result;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return result;
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    result.ok = process.exitCode() == 0 && fields.size() == 2;
    if (result.ok) {
        result.ms = fields[0].toDouble();
        result.peakKb = fields[1].toLong();
    }
    return result;
}

Options parse(const QStringList& args) {
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runs")) {
            options.runs = std::max(1, args[i + 1].toInt());
        } else if (args[i] == QLatin1String("--screen")) {
            const QStringList parts = args[i + 1].split(u'x');
            if (parts.size() == 2)
                options.screen = QSize(parts[0].toInt(), parts[1].toInt());
        } else if (args[i] == QLatin1String("--dir")) {
            options.dir = args[i + 1];
        } else if (args[i] == QLatin1String("--generate")) {
            options.generateInto = args[i + 1];
        }
    }
    return options;
}

// The pictures are made in a child process, so that their making does not count in the
// step's peak memory.
int generate(const QString& folder) {
    for (const Picture& picture : pictures) {
        QImageWriter writer(picture.fileIn(folder), "jpeg");
        writer.setQuality(90);
        writer.setProgressiveScanWrite(picture.progressive);
        if (!writer.write(syntheticPhoto(picture.width, picture.height, picture.grey))) {
            std::fprintf(stderr, "Cannot write %s: %s\n", qPrintable(writer.fileName()),
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--measure") == 0)
        return measure(argv + 2);
    QCoreApplication app(argc, argv);
    const Options options = parse(app.arguments());
    if (!options.generateInto.isEmpty())
        return generate(options.generateInto);

    QTemporaryDir temp(options.dir.isEmpty() ? QDir::tempPath() + QStringLiteral("/tessary-bench")
                                             : options.dir + QStringLiteral("/tessary-bench"));
    if (!temp.isValid()) {
        std::fprintf(stderr, "Cannot create a temporary folder: %s\n",
                     qPrintable(temp.errorString()));
        return 1;
    }
    if (QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--generate"), temp.path()}) != 0) {
        std::fprintf(stderr, "Generating the test pictures failed\n");
        return 1;
    }
    const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    const QString bmpPath = temp.filePath(QStringLiteral("image.bmp"));
    const QString djpegOut = temp.filePath(QStringLiteral("djpeg.bmp"));

    std::printf("Rotation step: decode + placement (screen %dx%d) + image.bmp; medians of %d "
                "runs (x10 for small pictures), in %s\n",
                options.screen.width(), options.screen.height(), options.runs,
                qPrintable(temp.path()));
    if (djpeg.isEmpty())
        std::printf("djpeg not found (package libjpeg-turbo-progs): no comparison\n");
    std::printf("%-18s %10s %10s %10s %10s %10s %12s %12s %12s %7s %12s %12s\n", "picture",
                "decode", "place", "write", "step", "step CPU", "overlapped", "overl. CPU",
                "djpeg -bmp", "ratio", "peak RSS", "djpeg RSS");

    for (const Picture& picture : pictures) {
        const QString jpeg = picture.fileIn(temp.path());
        // Small pictures take microseconds: more runs for a steadier median.
        const int runs =
            picture.width * picture.height < 1000000 ? options.runs * 10 : options.runs;
        std::vector<double> decode, place, write, step, stepCpu, overlapped, overlappedCpu,
            reference;
        long djpegPeak = 0;
        try {
            // Ours and djpeg alternate, so both meet the same machine state.
            for (int run = 0; run <= runs; ++run) {
                QImage image;
                const double cpu0 = cpuMs();
                const double d = timeMs([&] { image = loadJpeg(jpeg); });
                const double p = timeMs([&] {
                    const PlacementDecision decision =
                        decidePlacement(image.size(), options.screen);
                    if (decision.scaledSize)
                        image = scaledPicture(image, *decision.scaledSize);
                });
                const double w = timeMs([&] { saveBmp(image, bmpPath); });
                image = QImage();
                const double cpu1 = cpuMs();
                const double o = timeMs([&] {
                    JpegWithBmp loaded = loadJpegWritingBmp(jpeg, bmpPath, [&](QSize size) {
                        return !decidePlacement(size, options.screen).scaledSize;
                    });
                    if (loaded.bmp) {
                        loaded.bmp->commit();
                        return;
                    }
                    const PlacementDecision decision =
                        decidePlacement(loaded.picture.size(), options.screen);
                    saveBmp(scaledPicture(loaded.picture, *decision.scaledSize), bmpPath);
                });
                const double cpu2 = cpuMs();
                ChildRun reference_run;
                if (!djpeg.isEmpty())
                    reference_run =
                        runMeasured(djpeg, {QStringLiteral("-bmp"), QStringLiteral("-outfile"),
                                            djpegOut, jpeg});
                if (run == 0)
                    continue; // warm-up: page cache, first allocations
                decode.push_back(d);
                place.push_back(p);
                write.push_back(w);
                step.push_back(d + p + w);
                stepCpu.push_back(cpu1 - cpu0);
                overlapped.push_back(o);
                overlappedCpu.push_back(cpu2 - cpu1);
                reference.push_back(reference_run.ms);
                djpegPeak = std::max(djpegPeak, reference_run.peakKb);
            }
        } catch (const AppError& error) {
            std::fprintf(stderr, "%s: %s\n", picture.label, qPrintable(error.text()));
            return 1;
        }
        const double ours = median(step);
        const double theirs = median(reference);
        std::printf("%-18s %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms %10.2fms %10.2fms %10.2fms "
                    "%6.2fx %9ld KB %9ld KB\n",
                    picture.label, median(decode), median(place), median(write), ours,
                    median(stepCpu), median(overlapped), median(overlappedCpu), theirs,
                    theirs > 0 ? ours / theirs : 0.0, peakKb(), djpegPeak);
    }
    std::printf("(peak RSS: this process so far, pictures in increasing size)\n\n");

    // Why image.bmp has its own writer for 24-bit pictures: Qt's copies them to 32 bits first.
    std::printf("%-18s %12s %12s %18s\n", "image.bmp writer", "ours", "QImageWriter",
                "preview scaling");
    for (const Picture& picture : pictures) {
        const QImage image = loadJpeg(picture.fileIn(temp.path()));
        std::vector<double> ours, qt, preview;
        for (int run = 0; run <= options.runs; ++run) {
            const double o = timeMs([&] { saveBmp(image, bmpPath); });
            const double q = timeMs([&] {
                QSaveFile file(temp.filePath(QStringLiteral("qt.bmp")));
                if (file.open(QIODevice::WriteOnly) && QImageWriter(&file, "bmp").write(image))
                    file.commit();
            });
            // What the main window's preview does with each new picture (not in the step).
            const double v = timeMs([&] {
                const QImage shown =
                    image.scaled(QSize(427, 320), Qt::KeepAspectRatio, Qt::SmoothTransformation);
                Q_UNUSED(shown);
            });
            if (run > 0) {
                ours.push_back(o);
                qt.push_back(q);
                preview.push_back(v);
            }
        }
        std::printf("%-18s %10.2fms %10.2fms %16.2fms\n", picture.label, median(ours), median(qt),
                    median(preview));
    }
    return 0;
}
