#pragma once

#include "ui_Picture4.h"

#include <QDialog>

class Platform;

// The About box: product name and version, the maker, the home page and the support address,
// and which desktop the wallpaper goes to. Its controls come from its form, Picture4.ui.
class TForm4 : public QDialog, public Ui::Picture4 {
    Q_OBJECT

public:
    static const QString ProductLine;
    static const QString Maker;
    static const QString HomePage;
    static const QString SupportAddress;

    explicit TForm4(Platform& platform, QWidget* parent = nullptr);

    void Button1Click();
    // Opens the home page; the About box stays open.
    void Label9Click();
    // Opens a new e-mail to the support address, with nothing else filled in.
    void Label7Click();

private:
    Platform& m_platform;
};

extern TForm4* Form4;
