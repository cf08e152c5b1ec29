# Cross compiler for 32-bit Windows, the win32 preset. The -win32 thread model links no
# libwinpthread, whose imports (GetTickCount64, the vectored exception handlers) would keep the
# program from loading on 98, ME, 2000 and XP; it has no std::thread or std::mutex, which is
# why the program's threads go through platform/thread.h.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QEX_MINGW_TRIPLE i686-w64-mingw32)
set(QEX_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
