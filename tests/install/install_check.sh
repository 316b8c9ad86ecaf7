#!/usr/bin/env bash
# Installs the built tree into a fresh prefix, moves the prefix elsewhere, and
# builds the installed host project against it twice (CMake package and
# pkg-config) in a folder that shares nothing with the source or build trees.
#   install_check.sh SOURCE_DIR BUILD_DIR LIBDIR SOVERSION CXX
set -euo pipefail
source_dir=$1 build_dir=$2 libdir=$3 soversion=$4 cxx=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$work/staged" >/dev/null
# Whatever the install wrote down about its own place must not be needed.
mv "$work/staged" "$work/prefix"
prefix=$work/prefix

for file in include/laminar/laminar.h "$libdir/liblaminar.so" "$libdir/cmake/Laminar/LaminarConfig.cmake" \
            "$libdir/cmake/Laminar/LaminarConfigVersion.cmake" "$libdir/cmake/Laminar/LaminarTargets.cmake" \
            "$libdir/pkgconfig/laminar.pc" "$libdir/pkgconfig/laminar-z0calc.pc" include/laminar/z0calc.h \
            "$libdir/liblaminar_z0calc.a" bin/laminar share/doc/laminar/user-guide.md \
            share/laminar/examples/8-layer.json share/laminar/examples/host-project/main.cpp; do
  [[ -e "$prefix/$file" ]] || fail "$file is not installed"
done

soname=$(readelf -d "$prefix/$libdir/liblaminar.so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[[ "$soname" == "liblaminar.so.$soversion" ]] || fail "SONAME is '$soname', not liblaminar.so.$soversion"
[[ -L "$prefix/$libdir/liblaminar.so" && -L "$prefix/$libdir/$soname" ]] ||
  fail "liblaminar.so and $soname must be links to the versioned file"
[[ "$(readlink "$prefix/$libdir/$soname")" == liblaminar.so."$soversion".* ]] ||
  fail "$soname does not point at a versioned file"

# -a: binaries too (debug information, RPATH); both trees, either may hold the other.
if mentions=$(grep -rlaF -e "$build_dir" -e "$source_dir" "$prefix"); then
  fail "installed files name the source or build folder: $mentions"
fi

# Only the moved prefix is offered: no package registries, no inherited paths.
cp -r "$prefix/share/laminar/examples/host-project" "$work/src"
clean_env=(env -u LD_LIBRARY_PATH -u CMAKE_PREFIX_PATH -u PKG_CONFIG_PATH -u Laminar_DIR)
# Where the system lets us, the trees are not merely unused but gone: what runs
# below sees empty folders in their place (the build tree first, as it may lie
# inside the source tree).
reach="the trees unused"
if unshare --mount sh -c "mount -t tmpfs none '$source_dir'" 2>/dev/null; then
  clean_env=(unshare --mount sh -ec 'mount -t tmpfs none "$1"; mount -t tmpfs none "$2"; shift 2; exec "$@"'
             hide "$build_dir" "$source_dir" "${clean_env[@]}")
  reach="the trees hidden"
fi

"${clean_env[@]}" cmake -S "$work/src" -B "$work/with-cmake" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
  -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF >/dev/null
grep -qxF "Laminar_DIR:PATH=$prefix/$libdir/cmake/Laminar" "$work/with-cmake/CMakeCache.txt" ||
  fail "find_package(Laminar) found $(grep '^Laminar_DIR' "$work/with-cmake/CMakeCache.txt")"
"${clean_env[@]}" cmake --build "$work/with-cmake" >/dev/null

mkdir "$work/with-pkg-config"
pc_libdir=$(PKG_CONFIG_LIBDIR="$prefix/$libdir/pkgconfig" pkg-config --variable=libdir laminar)
# shellcheck disable=SC2046 # the flags are words
"${clean_env[@]}" "$cxx" -std=c++17 -o "$work/with-pkg-config/stackup-check" "$work/src/main.cpp" \
  $(PKG_CONFIG_LIBDIR="$prefix/$libdir/pkgconfig" pkg-config --cflags --libs laminar) -Wl,-rpath,"$pc_libdir"

# Each program loads the moved component, says OK for the good board and
# refuses a core thinner than the rules allow with exit status 1.
for program in "$work/with-cmake/stackup-check" "$work/with-pkg-config/stackup-check"; do
  loaded=$("${clean_env[@]}" ldd "$program" | grep 'liblaminar')
  [[ "$loaded" == *"$prefix/"* ]] || fail "$program loads $loaded"
  out=$("${clean_env[@]}" "$program") || fail "$program failed on the good board: $out"
  [[ "$out" == 'board 1 "Four layers", 7 layers: OK'* ]] || fail "$program printed: $out"
  status=0
  out=$("${clean_env[@]}" "$program" 0.5) || status=$?
  [[ $status -eq 1 && "$out" == *': ERROR - '* ]] || fail "$program on a 0.5 um core (exit $status): $out"
done

# The reference calculator links alone, both ways: a microstrip over a plane.
mkdir "$work/calc"
cat > "$work/calc/main.cpp" <<'CPP'
#include <laminar/z0calc.h>
#include <cstdio>
int main()
{
    LMLAYEREX board[3]{};
    const int32_t types[] = {0, 1, 0}, usages[] = {0, 5, 1};
    const double thicknesses[] = {35e-6, 200e-6, 35e-6};
    for (int i = 0; i < 3; ++i) {
        board[i].nType = types[i];
        board[i].nUsage = usages[i];
        board[i].dThickness = thicknesses[i];
        board[i].nMetal = types[i] == 0 ? 0 : -1;
        board[i].nTechnology = types[i] == 0 ? -1 : 0;
    }
    board[0].dTestWidth = 0.36e-3;
    board[1].dEr = 4.3;
    const lmz0::LayerImpedance top = lmz0::analyseLayer(board, 3, 0);
    std::printf("%s %d\n", lmz0::structureName(top.structure), static_cast<int>(top.z0 + 0.5));
}
CPP
cat > "$work/calc/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(CalculatorAlone LANGUAGES CXX)
find_package(Laminar REQUIRED)
add_executable(microstrip main.cpp)
target_link_libraries(microstrip PRIVATE Laminar::z0calc)
CMAKE
"${clean_env[@]}" cmake -S "$work/calc" -B "$work/calc/with-cmake" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
  -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF >/dev/null
"${clean_env[@]}" cmake --build "$work/calc/with-cmake" >/dev/null
# shellcheck disable=SC2046 # the flags are words
"${clean_env[@]}" "$cxx" -std=c++17 -o "$work/calc/microstrip" "$work/calc/main.cpp" \
  $(PKG_CONFIG_LIBDIR="$prefix/$libdir/pkgconfig" pkg-config --cflags --libs laminar-z0calc) -Wl,-rpath,"$pc_libdir"
for program in "$work/calc/with-cmake/microstrip" "$work/calc/microstrip"; do
  out=$("${clean_env[@]}" "$program") || fail "$program failed: $out"
  [[ "$out" =~ ^microstrip\ ([0-9]+)$ && ${BASH_REMATCH[1]} -ge 40 && ${BASH_REMATCH[1]} -le 60 ]] ||
    fail "$program printed: $out"
done

# The installed example host finds its component beside it.
out=$("${clean_env[@]}" "$prefix/bin/laminar" check "$prefix/share/laminar/examples/8-layer.json") ||
  fail "the installed laminar failed: $out"
[[ "$out" == *': OK - '* ]] || fail "the installed laminar printed: $out"
[[ "$("${clean_env[@]}" ldd "$prefix/bin/laminar" | grep liblaminar)" == *"$prefix/"* ]] ||
  fail "the installed laminar does not load the installed component"
echo "install check: $prefix passed (SONAME $soname; $reach)"
