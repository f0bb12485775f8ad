set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KEST_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
