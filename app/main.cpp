#include "app/Artwork.h"
#include "app/Picture1.h"
#include "app/UserDialogsQt.h"
#include "app/platform/Errors.h"
#include "app/platform/PlatformLinux.h"
#include "dialogs/Picture3.h"
#include "dialogs/Picture4.h"
#include "settings/Picture2.h"

#include <QApplication>

#include <exception>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessary"));
    QApplication::setApplicationVersion(QStringLiteral("0.2"));
    QApplication::setWindowIcon(Artwork::programIcon());
    // The window hides to the tray; only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    UserDialogsQt dialogs;
    try {
        PlatformLinux platform;
        TForm1 form1(platform, dialogs);
        TForm2 form2;
        Form2 = &form2;
        TForm3 form3;
        Form3 = &form3;
        TForm4 form4;
        Form4 = &form4;
        QApplication::exec();
    } catch (const AppError& error) {
        dialogs.showError(nullptr, error.text());
    } catch (const std::exception&) {
        dialogs.showError(nullptr, QString());
    }
    return 0;
}
