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

# Text reaches the A functions in code page 932, so Japanese in a narrow
# literal would arrive as UTF-8 garbage: for what ships, the compiler refuses
# any non-ASCII there, and Japanese text has to be a wide literal converted on
# its way out. (Tests are exempt: GoogleTest quotes their expressions as narrow
# text. Clang, used only for the fuzz build, knows no other charset.)
set(REVEILO_NARROW_CHARSET -fexec-charset=ASCII)
function(reveilo_ascii_literals)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANG_AND_ID:CXX,GNU>:${REVEILO_NARROW_CHARSET}>)
  endforeach()
endfunction()
