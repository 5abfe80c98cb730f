# Cross toolchain: 64-bit Windows, for the Wine tests on hosts that cannot run
# 32-bit programs. Nothing built with it ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(REVEILO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
