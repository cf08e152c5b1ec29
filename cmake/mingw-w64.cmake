# Cross compiler for x86-64 Windows, the win64 preset. The -posix variants link libwinpthread,
# which imports GetTickCount64, so this folder loads from Vista on (not on the 64-bit XP); the
# 32-bit folder is the one for older systems. The program's own threads go through
# platform/thread.h either way.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(QEX_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
