# Cross compiler for x86-64 Windows, the win64 preset. The -win32 thread model, as for the
# 32-bit folder: the -posix one links libwinpthread, whose GetTickCount64 would keep the program
# from loading on the 64-bit XP and Server 2003. The program's threads go through
# platform/thread.h.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(QEX_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
