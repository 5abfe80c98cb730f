# Shared by the two cross toolchains; the caller sets REVEILO_MINGW_TRIPLE.
#
# What ships is built with the win32-thread compilers: the posix-thread ones
# link the static winpthreads library, which imports GetTickCount64, and
# Windows XP's loader refuses a program that imports it. Only the test
# programs, whose GoogleTest needs std::mutex, switch to the posix-thread
# compilers (cmake/posix-threads.sh, set per target).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${REVEILO_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${REVEILO_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${REVEILO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${REVEILO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
