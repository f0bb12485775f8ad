# Helpers for the project's own targets.

# kest_library(<name> <dir> [LIBS ...]): a static library of every *.cpp in <dir>.
function(kest_library name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KEST_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

set(KEST_CLIPBOARD_TESTS test_platform test_table test_table_ui test_hosts
    test_framework test_framework_windows test_app)

# Wine sees the Linux file system as drive Z:.
set(KEST_SOURCE_DIR_WINE "Z:${CMAKE_SOURCE_DIR}")

# kest_test(<name> [SOURCES ...] [GLOB <dir>] [LIBS ...]): one GoogleTest executable,
# registered as one ctest entry that runs under wine.
function(kest_test name)
  cmake_parse_arguments(ARG "" "GLOB" "SOURCES;LIBS;RESOURCES" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(ARG_GLOB)
    file(GLOB globbed CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${ARG_GLOB}/*.cpp")
    list(APPEND sources ${globbed})
  endif()
  if(NOT sources)
    return()
  endif()
  foreach(lib ${ARG_LIBS})
    if(lib MATCHES "^kest_" AND NOT TARGET ${lib})
      message(STATUS "test ${name} skipped: ${lib} is not built yet")
      return()
    endif()
  endforeach()
  add_executable(${name} ${sources} ${ARG_RESOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KEST_WARNINGS})
  target_compile_definitions(${name} PRIVATE KEST_SOURCE_DIR="${KEST_SOURCE_DIR_WINE}")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh $<TARGET_FILE:${name}>
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  # The clipboard is one per display: suites that put data on it and read it back
  # must not run at the same time.
  if(name IN_LIST KEST_CLIPBOARD_TESTS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK clipboard)
  endif()
endfunction()

# The Win32 libraries the window code needs.
set(KEST_WIN32_LIBS user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid advapi32
    shell32 shlwapi winspool version msimg32 imm32 winmm)
