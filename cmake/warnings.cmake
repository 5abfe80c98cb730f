# Warnings for our own targets only (GoogleTest is built with its own flags).
option(REVEILO_WERROR "Treat warnings as errors" OFF)
if(NOT "$ENV{CI}" STREQUAL "")
  set(REVEILO_WERROR ON CACHE BOOL "" FORCE)
endif()

function(reveilo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(WIN32)
    # A handle, WPARAM, LPARAM or LRESULT narrowed to int or LONG loses half
    # its bits in the 64-bit build: such conversions must be spelled out.
    target_compile_options(${target} PRIVATE -Wconversion -Wno-sign-conversion)
  endif()
  if(REVEILO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
