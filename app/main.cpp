#include "app/Artwork.h"
#include "app/CommandLine.h"
#include "app/Picture1.h"
#include "app/SingleInstance.h"
#include "app/StartupFeedback.h"
#include "app/TerminationSignals.h"
#include "app/Translations.h"
#include "app/UserDialogsQt.h"
#include "app/Version.h"
#include "app/platform/Errors.h"
#include "app/platform/NativePlatform.h"
#include "app/platform/SystemMemory.h"
#include "dialogs/Picture3.h"
#include "dialogs/Picture4.h"
#include "settings/Picture2.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>

int main(int argc, char* argv[]) {
    // Answered before anything starts: no display, no bus, no running copy is needed for these.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = CommandLine::parse(arguments, QDir::currentPath());
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        std::fputs(qPrintable(CommandLine::helpText(arguments.value(0))), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs("tessary " TESSARY_VERSION "\n", stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "tessary: %s\n", qPrintable(commandLine.error));
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    const QByteArray launchId = StartupFeedback::launchId();
    tuneAllocatorForPictures();
    // A session bus that lets us connect and then hangs would keep the window from ever
    // showing: Qt's first use of the bus (accessibility, the one-copy check) waits for it
    // without a bound. Such a bus counts as none for this run, for Qt and GIO alike.
    if (SingleInstance::sessionBusHangs()) {
        std::fputs("tessary: the session bus did not answer within a second; running without "
                   "it\n",
                   stderr);
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessary"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARY_VERSION));
    // Names the installed desktop entry: its icon and name on Wayland and in task managers.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARY_APP_ID));
    QApplication::setWindowIcon(Artwork::programIcon());
    installTranslations(app);
    // The window hides to the tray; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // One copy per session: two would overwrite each other's list and settings at Exit. A
    // later start shows the running copy's window and ends. Without a runtime folder of the
    // session, a folder of our own in the temporary folder, else in the cache, holds the lock:
    // never one another user could have made.
    const QString runtimeFolder = SingleInstance::privateFolder(
        qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
            QStringLiteral("/tessary/runtime-") + QSysInfo::machineHostName());
    SingleInstance instance(
        QStringLiteral(TESSARY_APP_ID),
        SingleInstance::sessionSocketBase(runtimeFolder, QStringLiteral("tessary")));
    UserDialogsQt dialogs;
    instance.setPathsToOpen(commandLine.paths);
    if (!instance.claim()) {
        if (!instance.refusal().isEmpty())
            dialogs.showError(nullptr, instance.refusal());
        // No window of ours will end the launcher's busy cursor.
        StartupFeedback::end(launchId);
        return 0;
    }

    // Watched from the start, so that a logout is served whenever it comes. Until the windows
    // are built, the only event loops are those of start-up message boxes (a bad setting, a
    // failed first pick, a full disk): nothing the user could change exists yet and the files
    // hold what was read, so a signal then ends the program at once without saving.
    std::optional<TerminationSignals> terminationSignals;
    QMetaObject::Connection endAtOnce;
    try {
        terminationSignals.emplace();
        endAtOnce = QObject::connect(&*terminationSignals, &TerminationSignals::received, &app,
                                     [] { std::_Exit(0); });
        const std::unique_ptr<Platform> native = createNativePlatform();
        Platform& platform = *native;
        // Ends after the window, before the platform its work uses.
        WorkQueueThread work;
        TForm1 form1(platform, dialogs, &work);
        // The other three windows exist from the start, in this order. They are never shown:
        // each showing builds a fresh one (Button1Click, DisplayHiddenMessage, Image20Click).
        TForm2 form2(form1.optionsSettings(), platform, dialogs, &form1);
        Form2 = &form2;
        TForm3 form3(platform.registry(), dialogs, form1.MinimizeTell);
        Form3 = &form3;
        TForm4 form4(platform, &form1);
        Form4 = &form4;
        QObject::connect(&instance, &SingleInstance::activationRequested, &form1,
                         [&form1] { form1.runGuarded([&form1] { form1.bringToFront(); }); });
        const auto addGiven = [&form1](const QStringList& paths) {
            form1.runGuarded([&form1, &paths] {
                form1.bringToFront();
                form1.addGivenPaths(paths);
            });
        };
        QObject::connect(&instance, &SingleInstance::openRequested, &form1, addGiven);
        if (!commandLine.paths.isEmpty())
            QTimer::singleShot(0, &form1,
                               [addGiven, &commandLine] { addGiven(commandLine.paths); });

        // A logout or a termination signal ends the program as Exit does, so that the list
        // and settings edited since start-up are saved; a failed save keeps it running. It
        // calls the close handler itself: a close request is dropped while a modal dialog is
        // open and ignored while a close is being handled (the notice is shown inside one).
        const auto endAsExit = [&form1] {
            form1.runGuarded([&form1] {
                if (form1.Timer2->isActive())
                    form1.Button3Click();
                form1.ExitRequested = true;
                if (form1.FormCloseQuery())
                    QCoreApplication::quit();
            });
        };
        QObject::disconnect(endAtOnce);
        QObject::connect(&*terminationSignals, &TerminationSignals::received, &form1, endAsExit);
#ifndef QT_NO_SESSIONMANAGER
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1,
                         [endAsExit](QSessionManager&) { endAsExit(); });
#endif
        // Anything else that ends the event loop (a session manager's "die") saves too.
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &form1, [&form1, endAsExit] {
            if (!form1.ExitRequested)
                endAsExit();
        });
        QApplication::exec();
        return 0;
    } catch (const AppError& error) {
        dialogs.showError(nullptr, error.text());
    } catch (const std::exception&) {
        dialogs.showError(nullptr, QString());
    }
    // Start-up failed: a signal during the message box still ends the program at once.
    return 0;
}
