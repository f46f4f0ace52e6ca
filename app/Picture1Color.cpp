// The desktop background colour.
#include "app/Picture1.h"

void TForm1::Convert_Color() {}
void TForm1::ApplyDesktopColor() {}
