#!/bin/sh
# Compiler and linker launcher for the test programs: the same MinGW-w64
# compiler with the posix thread model, which GoogleTest needs.
compiler=$1
shift
exec "${compiler%-win32}-posix" "$@"
