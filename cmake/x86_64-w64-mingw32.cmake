# Cross-builds for 64-bit Windows with Debian's MinGW-w64 GCC. The posix thread variant is the
# one with std::mutex and std::thread. TESSARY_MINGW_PREFIXES names the folders holding the
# cross-built Qt and libjpeg (scripts/setup windows fills it in).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

set(TESSARY_MINGW_PREFIXES "$ENV{TESSARY_MINGW_PREFIXES}" CACHE STRING
    "Folders holding the cross-built libraries, separated by semicolons")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${TESSARY_MINGW_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's tools (moc, uic, lrelease) are the build host's, of the same version.
set(QT_HOST_PATH /usr CACHE PATH "The build host's Qt")

# The build host's pkg-config would hand Linux GIO and xcb to the cross build.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${mingw_triple}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
