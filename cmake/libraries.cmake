# libjpeg-turbo and giflib: Debian's -dev packages natively; for Windows cross-built from
# Debian's source packages into the build tree by scripts/crosslibs (cached there), one folder
# per width, with the compilers of the build's own toolchain file.
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(QEX_WINDOWS_FLAVOUR win32)
  else()
    set(QEX_WINDOWS_FLAVOUR win64)
  endif()
  set(QEX_THIRDPARTY ${CMAKE_SOURCE_DIR}/build/thirdparty/${QEX_WINDOWS_FLAVOUR} CACHE PATH "Cross-built libraries")
  if(NOT EXISTS ${QEX_THIRDPARTY}/lib/libjpeg.a OR NOT EXISTS ${QEX_THIRDPARTY}/lib/libgif.a)
    execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/crosslibs ${QEX_THIRDPARTY} ${CMAKE_TOOLCHAIN_FILE}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "scripts/crosslibs failed")
    endif()
  endif()
  add_library(qex_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(qex_jpeg PROPERTIES IMPORTED_LOCATION ${QEX_THIRDPARTY}/lib/libjpeg.a
                        INTERFACE_INCLUDE_DIRECTORIES ${QEX_THIRDPARTY}/include)
  add_library(qex_gif STATIC IMPORTED GLOBAL)
  set_target_properties(qex_gif PROPERTIES IMPORTED_LOCATION ${QEX_THIRDPARTY}/lib/libgif.a
                        INTERFACE_INCLUDE_DIRECTORIES ${QEX_THIRDPARTY}/include)
else()
  find_package(JPEG REQUIRED)
  find_package(GIF REQUIRED)
  add_library(qex_jpeg INTERFACE)
  target_link_libraries(qex_jpeg INTERFACE JPEG::JPEG)
  add_library(qex_gif INTERFACE)
  target_link_libraries(qex_gif INTERFACE GIF::GIF)
endif()
