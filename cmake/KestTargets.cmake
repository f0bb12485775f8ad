# Helpers for the project's own targets. A piece that cannot be built stops the configuration:
# a target that quietly went missing would take its tests with it while the run stays green.

# kest_precompile(<target> [TEST]): the Win32 and standard headers every source of ours reads are
# parsed once instead of once per source (they are nine tenths of each translation unit, and the
# build is most of a CI run). One target of each kind makes the header and every other target of
# that kind reuses it: a header per target would cost a hundred megabytes each. Sources still
# include what they use: the precompiled header only changes how fast it is read. TEST: a test
# program's, with the test framework's headers and the tests' definitions.
set(KEST_PCH_HEADERS <windows.h> <commctrl.h> <string> <vector> <map> <memory> <algorithm> <functional>)
function(kest_precompile target)
  set(kind library)
  set(headers ${KEST_PCH_HEADERS})
  if("TEST" IN_LIST ARGN)
    set(kind test)
    list(APPEND headers <gtest/gtest.h> <gmock/gmock.h>)
  endif()
  set(maker kest_pch_${kind})
  if(NOT TARGET ${maker})
    set(source "${CMAKE_BINARY_DIR}/${maker}.cpp")
    if(NOT EXISTS "${source}")
      file(WRITE "${source}" "// Makes the precompiled header the other targets reuse.\n")
    endif()
    add_library(${maker} STATIC EXCLUDE_FROM_ALL "${source}")
    target_include_directories(${maker} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${maker} PRIVATE ${KEST_WARNINGS})
    if(kind STREQUAL "test")
      target_compile_definitions(${maker} PRIVATE KEST_SOURCE_DIR="${KEST_SOURCE_DIR_WINE}")
      target_link_libraries(${maker} PRIVATE GTest::gmock GTest::gtest_main)
    endif()
    list(TRANSFORM headers PREPEND "$<$<COMPILE_LANGUAGE:CXX>:")
    list(TRANSFORM headers APPEND ">")
    target_precompile_headers(${maker} PRIVATE ${headers})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${maker})
endfunction()

# kest_library(<name> <dir> [ALSO <dirs...>] [LIBS ...]): a static library of every *.cpp in <dir>
# and in the ALSO folders, for parts that call each other both ways and so link as one.
function(kest_library name dir)
  cmake_parse_arguments(ARG "" "" "ALSO;LIBS" ${ARGN})
  foreach(d ${dir} ${ARG_ALSO})
    if(NOT IS_DIRECTORY "${CMAKE_SOURCE_DIR}/${d}")
      message(FATAL_ERROR "${name}: source folder ${d} does not exist")
    endif()
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
  if(NOT sources)
    message(FATAL_ERROR "${name}: no *.cpp in ${dir}")
  endif()
  foreach(d ${ARG_ALSO})
    file(GLOB more CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${d}/*.cpp")
    list(APPEND sources ${more})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KEST_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  kest_precompile(${name})
endfunction()

# kest_resource_depends(<rc files...>): a resource script is compiled again whenever any
# resource input of the project changes. The compiler's own dependency list does not follow the
# scripts, pictures and id headers an .rc includes, so an edited toolkit .rc would otherwise leave
# stale strings and dialogs in every program but the one that names it.
function(kest_resource_depends)
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/app/*.rc" "${CMAKE_SOURCE_DIR}/app/*.bmp" "${CMAKE_SOURCE_DIR}/app/*.ico"
       "${CMAKE_SOURCE_DIR}/app/*Res.h" "${CMAKE_SOURCE_DIR}/framework/*.rc" "${CMAKE_SOURCE_DIR}/framework/AfxIds.h"
       "${CMAKE_SOURCE_DIR}/table/*.rc" "${CMAKE_SOURCE_DIR}/table/*Res*.h" "${CMAKE_SOURCE_DIR}/uitoolkit/*.rc"
       "${CMAKE_SOURCE_DIR}/uitoolkit/*.bmp" "${CMAKE_SOURCE_DIR}/uitoolkit/*.cur" "${CMAKE_SOURCE_DIR}/uitoolkit/*.ico"
       "${CMAKE_SOURCE_DIR}/uitoolkit/*Resources.h" "${CMAKE_SOURCE_DIR}/tests/*.bmp" "${CMAKE_SOURCE_DIR}/tests/*Ids.h")
  if(KEST_LOOKS_BMP)
    list(APPEND inputs ${KEST_LOOKS_BMP})
  endif()
  foreach(rc ${ARGN})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${inputs})
  endforeach()
endfunction()

# Wine sees the Linux file system as drive Z:.
set(KEST_SOURCE_DIR_WINE "Z:${CMAKE_SOURCE_DIR}")

# An i686 suite may run under user-mode emulation, where it runs several times slower: its
# time-out is the native one stretched by this much.
set(KEST_I686_TIMEOUT_FACTOR 4)
set(KEST_I686_TIMEOUT_STARTUP 120)

# kest_links_framework(<out> <libs...>): TRUE when one of the targets links kest_framework, directly
# or through another project library.
function(kest_links_framework out)
  set(found FALSE)
  foreach(lib ${ARGN})
    if(lib STREQUAL "kest_framework")
      set(found TRUE)
    elseif(TARGET ${lib} AND lib MATCHES "^kest_")
      get_target_property(deps ${lib} LINK_LIBRARIES)
      if(deps)
        kest_links_framework(inner ${deps})
        if(inner)
          set(found TRUE)
        endif()
      endif()
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# kest_test(<name> [GLOB <dir>] [SOURCES ...] [LIBS ...] [RESOURCES ...] [DEFINES ...] [DEPENDS ...]
#           [LOCKS ...] [TIMEOUT <seconds>]): one GoogleTest
# executable, registered as one ctest entry that runs under wine. DEFINES are compile definitions,
# DEPENDS targets built first (helper programs, servers), LOCKS ctest resource locks (e.g.
# clipboard: one per display). TIMEOUT is the native time-out (default 300 s).
function(kest_test name)
  cmake_parse_arguments(ARG "" "GLOB;TIMEOUT" "SOURCES;LIBS;RESOURCES;DEFINES;DEPENDS;LOCKS"
                        ${ARGN})
  set(sources ${ARG_SOURCES})
  if(ARG_GLOB)
    if(NOT IS_DIRECTORY "${CMAKE_SOURCE_DIR}/${ARG_GLOB}")
      message(FATAL_ERROR "${name}: test folder ${ARG_GLOB} does not exist")
    endif()
    file(GLOB globbed CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${ARG_GLOB}/*.cpp")
    list(APPEND sources ${globbed})
  endif()
  if(NOT sources)
    message(FATAL_ERROR "${name}: no test sources")
  endif()
  foreach(lib ${ARG_LIBS} ${ARG_DEPENDS})
    if(lib MATCHES "^kest_" AND NOT TARGET ${lib})
      message(FATAL_ERROR "${name}: needs ${lib}, which is not defined (or not defined before the test)")
    endif()
  endforeach()
  # A failed framework ASSERT fails the running test. The hook is a static initialiser, so it goes
  # into the program itself rather than into the support library, where nothing would pull it in.
  kest_links_framework(uses_framework ${ARG_LIBS})
  if(uses_framework)
    list(APPEND sources ${CMAKE_SOURCE_DIR}/tests/support/framework/AssertHookTestMain.cpp)
  endif()
  # The tests run the Debug build. A Release build (what users run, and the benchmark) leaves them
  # out unless asked for by name: GCC's flow warnings at -O2 and above trip over test fixtures.
  kest_resource_depends(${ARG_RESOURCES})
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    add_executable(${name} EXCLUDE_FROM_ALL ${sources} ${ARG_RESOURCES})
  else()
    add_executable(${name} ${sources} ${ARG_RESOURCES})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KEST_WARNINGS})
  target_compile_definitions(${name} PRIVATE KEST_SOURCE_DIR="${KEST_SOURCE_DIR_WINE}" ${ARG_DEFINES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kest_test_support GTest::gmock GTest::gtest_main)
  kest_precompile(${name} TEST)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run.sh $<TARGET_FILE:${name}>
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set(timeout 300)
  if(ARG_TIMEOUT)
    set(timeout ${ARG_TIMEOUT})
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    math(EXPR timeout "${timeout} * ${KEST_I686_TIMEOUT_FACTOR} + ${KEST_I686_TIMEOUT_STARTUP}")
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
  if(ARG_LOCKS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
endfunction()

# The Win32 libraries the window code needs.
set(KEST_WIN32_LIBS user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid advapi32
    shell32 shlwapi winspool version msimg32 imm32 winmm)
