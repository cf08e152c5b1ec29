# One static library per layer of the program. Each library compiles against a view of the
# source tree that holds only the headers its layer may see (symbolic links made at configure
# time), so an include across the layers' rule fails to compile:
#
#   app/ and the windows (*frm.*)  ->  frame/  ->  ui/, codecs/, platform/ interfaces
#   the subsystems' logic          ->  codecs/, ui/ pictures, platform/ interfaces
#   backends (platform/win32|fake|posix, ui/win32|headless): only the entry points, the tests
#   and the tools link them and see the whole tree.
set(QEX_SUBSYSTEMS monitor scan startup process cleanup sysinfo online)
set(QEX_VIEWS ${CMAKE_BINARY_DIR}/views)
file(REMOVE_RECURSE ${QEX_VIEWS})

# The thread layer: its header is part of the platform interfaces, and the user-interface layer
# sees it too (cross-thread calls); its implementation is the one of the build's system.
if(WIN32)
  add_library(qex_threads STATIC ${CMAKE_SOURCE_DIR}/platform/win32/win32_thread.cpp)
else()
  find_package(Threads REQUIRED)
  add_library(qex_threads STATIC ${CMAKE_SOURCE_DIR}/platform/posix/posix_thread.cpp)
  target_link_libraries(qex_threads PUBLIC Threads::Threads)
endif()
target_include_directories(qex_threads PRIVATE ${CMAKE_SOURCE_DIR})
# Left out of the backends' own libraries, which take every file of their folders.
set(QEX_THREAD_SOURCES_REGEX "/platform/(win32/win32|posix/posix)_thread\\.cpp$")

# Header sets by what may see them.
set(QEX_H_PLATFORM platform/*.h)
set(QEX_H_THREADS platform/thread.h)
set(QEX_H_PICTURES ui/bitmap.h ui/canvas.h ui/font.h ui/framedbar.h)
set(QEX_H_UI ui/*.h)
set(QEX_H_CODECS codecs/*.h)
set(QEX_H_FRAME frame/*.h)
set(QEX_H_SKIN skin/*.h)
set(QEX_H_LOGIC)
set(QEX_H_WINDOWS app/*.h skin/layout.h)
foreach(dir ${QEX_SUBSYSTEMS})
  list(APPEND QEX_H_LOGIC ${dir}/*.h)
  list(APPEND QEX_H_WINDOWS ${dir}/*frm.h)
endforeach()

# qex_layer(NAME SOURCES <globs> [EXCLUDE <regex>] HEADERS <globs> [LINKS <targets>])
# HEADERS are the headers the layer may include; headers of another subsystem's window
# (*frm.h) are left out of every view but the windows' own.
function(qex_layer name)
  cmake_parse_arguments(L "" "EXCLUDE;HEADERS_EXCLUDE" "SOURCES;HEADERS;LINKS" ${ARGN})
  set(sources)
  foreach(g ${L_SOURCES})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${g})
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/main_[^/]*\\.cpp$")
  if(L_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${L_EXCLUDE}")
  endif()
  set(view ${QEX_VIEWS}/${name})
  foreach(g ${L_HEADERS})
    file(GLOB found RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${g})
    foreach(header ${found})
      if(L_HEADERS_EXCLUDE AND header MATCHES "${L_HEADERS_EXCLUDE}")
        continue()
      endif()
      get_filename_component(folder ${view}/${header} DIRECTORY)
      file(MAKE_DIRECTORY ${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${header} ${view}/${header} SYMBOLIC)
    endforeach()
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PRIVATE ${view})
  target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()

qex_layer(qex_platform SOURCES platform/*.cpp HEADERS ${QEX_H_PLATFORM} LINKS qex_threads)
qex_layer(qex_ui SOURCES ui/*.cpp HEADERS ${QEX_H_UI} ${QEX_H_THREADS} LINKS qex_threads)
qex_layer(qex_codecs SOURCES codecs/*.cpp HEADERS ${QEX_H_CODECS} ${QEX_H_PICTURES} ${QEX_H_PLATFORM}
          LINKS qex_ui qex_platform qex_jpeg qex_gif)
set(logic_sources)
foreach(dir ${QEX_SUBSYSTEMS})
  list(APPEND logic_sources ${dir}/*.cpp)
endforeach()
qex_layer(qex_logic SOURCES ${logic_sources} EXCLUDE "frm\\.cpp$"
          HEADERS ${QEX_H_LOGIC} ${QEX_H_CODECS} ${QEX_H_PICTURES} ${QEX_H_PLATFORM}
          HEADERS_EXCLUDE "frm\\.h$" LINKS qex_codecs)
qex_layer(qex_frame SOURCES frame/*.cpp HEADERS ${QEX_H_FRAME} ${QEX_H_UI} ${QEX_H_CODECS} ${QEX_H_PLATFORM}
          LINKS qex_codecs)
set(window_sources app/*.cpp)
foreach(dir ${QEX_SUBSYSTEMS})
  list(APPEND window_sources ${dir}/*frm.cpp)
endforeach()
qex_layer(qex_windows SOURCES ${window_sources}
          HEADERS ${QEX_H_WINDOWS} ${QEX_H_FRAME} ${QEX_H_LOGIC} ${QEX_H_UI} ${QEX_H_CODECS} ${QEX_H_PLATFORM}
          LINKS qex_frame qex_logic)
# The skin generator: host tools and tests only, never the program.
qex_layer(qex_skin SOURCES skin/*.cpp HEADERS ${QEX_H_SKIN} ${QEX_H_PICTURES} LINKS qex_ui)
