# Linux build: platform fakes, POSIX sockets, the headless window backend; unit and contract
# tests, tools, fuzz targets.
file(GLOB QEX_NATIVE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/platform/fake/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/posix/*.cpp
  ${CMAKE_SOURCE_DIR}/ui/headless/*.cpp)
list(FILTER QEX_NATIVE_SOURCES EXCLUDE REGEX "${QEX_THREAD_SOURCES_REGEX}")
# The backends see the whole tree, as do the programs and tests linked with them.
add_library(qexnative STATIC ${QEX_NATIVE_SOURCES})
target_include_directories(qexnative PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qexnative PUBLIC qex_windows qex_skin Threads::Threads)

if(QEX_FUZZ)
  # Fuzz targets: one executable per file in tests/fuzz, with ASan and UBSan.
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(src ${fuzzers})
    get_filename_component(name ${src} NAME_WE)
    add_executable(fuzz_${name} ${src})
    target_link_libraries(fuzz_${name} PRIVATE qexnative)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
  return()
endif()

enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_sources})
target_link_libraries(unit_tests PRIVATE qexnative GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_definitions(unit_tests PRIVATE QEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)

file(GLOB contract_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
if(contract_sources)
  add_executable(contract_fake ${contract_sources})
  target_compile_definitions(contract_fake PRIVATE QEX_CONTRACT_FAKE=1)
  target_link_libraries(contract_fake PRIVATE qexnative GTest::gtest GTest::gtest_main)
  gtest_discover_tests(contract_fake DISCOVERY_TIMEOUT 60 TEST_PREFIX "fake." PROPERTIES LABELS contract)
endif()

# Vendor-side tools: one executable per file in tools/.
file(GLOB tools CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src ${tools})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE qexnative)
endforeach()

# Benchmark helpers that bench/ scripts run: one native executable per file in bench/native/.
file(GLOB bench_natives CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/native/*.cpp)
foreach(src ${bench_natives})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  target_link_libraries(bench_${name} PRIVATE qexnative)
endforeach()
