# Cross compiler for x86-64 Windows, the win64 preset. The -posix variants link libwinpthread,
# which needs Vista; no 64-bit Windows the folder is for lacks what it imports. The program's
# own threads go through platform/thread.h either way.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(QEX_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
