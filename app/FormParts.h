#pragma once

#include <QColor>
#include <QSize>
#include <Qt>

class QDialog;
class QWidget;

// What the windows share: the desktop's font at their scale, the white client area with text
// that stays readable on it, the bare dialog frame.
namespace FormParts {
// The windows are drawn for the usual 9 to 10 point desktop font; a smaller or larger desktop
// font scales them (text and layout) by its ratio to that range.
double fontScale(double desktopPoints);
// The scale of the desktop's font now (the application font, as the desktop's theme set it).
double desktopFontScale();
// Gives a window built from its form the desktop's face at 8 points times the scale, and scales
// what the form gives in pixels by the same ratio. Form properties it reads from widgets:
// "fontPoints" (a size at the usual scale) and "fitText" (the widest text the widget must show
// whole, such as "65535 x 65535").
void fitToDesktopFont(QWidget* window);
// The usual size of a window, as its form gives it, grown where the text needs more room, and
// wide enough to show its title whole.
QSize settledSize(QWidget* window, QSize usual);
// White behind, black text in front, whatever the desktop's colour scheme: the window's
// own controls (buttons, lists, sliders) keep the scheme's pair.
void paintWhite(QWidget* widget);
// The contrast ratio of two colours, 1 to 21, as WCAG defines it.
double contrastRatio(const QColor& a, const QColor& b);
// Enter on a focused push button of the window presses it, as Space does, without making any
// button the default that Enter presses from elsewhere.
void pressButtonsOnEnter(QWidget* window);
// A dialog frame with a caption but no title-bar buttons (no system menu, no close box).
Qt::WindowFlags bareDialogFlags();
// Finishes a dialog built from its form, its texts in place: the bare frame, modal to its
// owner and kept in view, white, in the desktop's font, fixed at its settled size.
void setUpDialog(QDialog* dialog);
// Shows a window, restores it when minimised, and puts it in front.
void bringForward(QWidget* window);
// Makes a dialog modal to its owner window only, so that the notification area and its menu
// keep working while it is open, and undoes a minimise or maximise that a window manager
// grants although the dialog offers neither: a minimised modal dialog could not be found again.
void keepDialogInView(QDialog* dialog);
} // namespace FormParts
