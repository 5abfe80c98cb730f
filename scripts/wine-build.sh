# Sourced by the scripts that run Windows programs under Wine: chooses the
# Wine architecture once (cmake/wine-arch.sh) and the build folder that goes
# with it. Sets wine_arch, wine_reason, wine_build and wine_toolchain.
# What ships is always build/win (i686); build/win64 exists only to run the
# same sources' tests where this host cannot run 32-bit programs.
{ read -r wine_arch; read -r wine_reason; } < <(bash cmake/wine-arch.sh)
[ -n "${wine_arch:-}" ] || exit 2
export REVEILO_WINE_ARCH=$wine_arch
if [ "$wine_arch" = win64 ]; then
  wine_build=build/win64
  wine_toolchain=cmake/mingw-x86_64.cmake
else
  wine_build=build/win
  wine_toolchain=cmake/mingw-i686.cmake
fi
wine_configure() {  # folder toolchain
  cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
}
