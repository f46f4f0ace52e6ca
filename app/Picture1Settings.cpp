// The settings: read at start-up, written in full at Exit.
#include "app/Picture1.h"

#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/Registry.h"

#include <QProgressBar>

void TForm1::LoadRegistry() {}
void TForm1::SaveRegistry() {}
