set(CMAKE_SYSTEM_PROCESSOR i686)
set(KEST_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
