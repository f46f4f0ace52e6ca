#pragma once

#include <QDialog>

class LinkLabel;
class Platform;
class QLabel;
class QPushButton;

// The About box: product name and version, the maker, the home page and the support address,
// and which desktop the wallpaper goes to.
class TForm4 : public QDialog {
    Q_OBJECT

public:
    static const QString ProductLine;
    static const QString Maker;
    static const QString HomePage;
    static const QString SupportAddress;

    explicit TForm4(Platform& platform, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* BackendLabel = nullptr;
    QLabel* ProgramLabel = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    LinkLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    LinkLabel* Label7 = nullptr;
    QPushButton* Button1 = nullptr;

    void Button1Click();
    // Opens the home page; the About box stays open.
    void Label9Click();
    // Opens a new e-mail to the support address, with nothing else filled in.
    void Label7Click();

protected:
    // No cancel button: Escape does not close the box.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Platform& m_platform;
};

extern TForm4* Form4;
