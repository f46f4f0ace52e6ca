// Showing, hiding and ending the program.
#include "app/Picture1.h"

#include "imagelist/ImagesDb.h"

void TForm1::Button2Click()
{
    ExitRequested = true;
    close();
}

bool TForm1::FormCloseQuery()
{
    if (!ExitRequested) {
        hide();
        WindowHidden = true;
        return false;
    }
    writeImagesDb(ImagesDbPath(), ImageList.entries());
    return true;
}

void TForm1::Show1Click() {}
void TForm1::DisplayHiddenMessage() {}
void TForm1::Image20Click() {}
