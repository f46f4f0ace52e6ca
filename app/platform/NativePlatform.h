#pragma once

#include "app/platform/Platform.h"

#include <memory>

// The real services of the system the program is built for; the build picks the Linux or the
// Windows one. Throws AppError when they cannot be set up (settings that cannot be read).
std::unique_ptr<Platform> createNativePlatform();
