// The desktop background colour.
#include "app/Picture1.h"

#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/Registry.h"
#include "app/platform/UserDialogs.h"
#include "wallpaper/ColorText.h"

void TForm1::Convert_Color() {
    // A missing colour is no fault of the user's: start with black. A malformed one must not
    // keep the program from starting either: say so and use black, which Options can correct.
    if (BackgroundText.isEmpty()) {
        DesktopColor = 0;
        return;
    }
    try {
        DesktopColor = colorFromText(BackgroundText);
    } catch (const AppError& error) {
        DesktopColor = 0;
        m_dialogs.showError(this, error.text() +
                                      tr("\n\nBlack is used until a colour is chosen in Options."));
    }
}

void TForm1::ApplyDesktopColor() {
    const QString text = colorToText(DesktopColor);
    // The desktop takes one call at a time: a wallpaper on its way there goes first.
    m_work->waitForAll();
    m_platform.setDesktopColor(DesktopColor & 0xFFFFFF);
    m_platform.registry().writeString(RegistryKeys::Colors, QStringLiteral("Background"), text);
}
