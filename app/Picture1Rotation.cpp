// The rotation: Start and Stop, the tick and the random pick.
#include "app/Picture1.h"

#include <QLabel>

void TForm1::Update_Timer()
{
    Label2->setText(FormatTime());
}

QString TForm1::FormatTime() const
{
    return ::FormatTime(countdown);
}

void TForm1::Button3Click() {}
void TForm1::Timer2Timer() {}
void TForm1::Tessarize() {}
