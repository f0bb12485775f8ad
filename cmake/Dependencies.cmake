# zlib comes from Debian's mingw-w64 package; minizip and GoogleTest are compiled
# here from the Debian source packages that tools/setup.sh fetches into .cache/.

find_library(KEST_ZLIB NAMES libz.a z REQUIRED)
find_path(KEST_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(kest_zlib INTERFACE)
target_link_libraries(kest_zlib INTERFACE ${KEST_ZLIB})
target_include_directories(kest_zlib INTERFACE ${KEST_ZLIB_INCLUDE})

set(KEST_MINIZIP_DIR "${KEST_CACHE_DIR}/zlib/contrib/minizip")
if(NOT EXISTS "${KEST_MINIZIP_DIR}/zip.c")
  message(FATAL_ERROR "minizip sources missing in ${KEST_MINIZIP_DIR}: run tools/setup.sh")
endif()
add_library(minizip STATIC
  ${KEST_MINIZIP_DIR}/zip.c ${KEST_MINIZIP_DIR}/unzip.c
  ${KEST_MINIZIP_DIR}/ioapi.c ${KEST_MINIZIP_DIR}/iowin32.c)
target_include_directories(minizip SYSTEM PUBLIC "${KEST_CACHE_DIR}/zlib/contrib")
target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT)
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC kest_zlib)

set(KEST_GTEST_DIR "${KEST_CACHE_DIR}/googletest")
if(NOT EXISTS "${KEST_GTEST_DIR}/googletest/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources missing in ${KEST_GTEST_DIR}: run tools/setup.sh")
endif()
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${KEST_GTEST_DIR} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
