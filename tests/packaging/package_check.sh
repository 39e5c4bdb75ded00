#!/bin/bash
# Installs the way users do and checks the result from the installed files alone.
#   package_check.sh install BUILD SCRATCH  make install into a scratch prefix, then uninstall
#   package_check.sh deb BUILD SCRATCH      make deb, then the package unpacked into a scratch root
set -euo pipefail
mode=$1
build=$(realpath "$2")
scratch=$3
source=$(realpath "$(dirname "$0")/../..")
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(realpath "$scratch")

fail() {
  echo "FAIL: $*"
  exit 1
}

# Every file the game, the library and the desktop need, under an installed prefix whose
# `tolvane` command lies in $command_dir.
expect_files() {
  local prefix=$1 libdir=$2
  local files=("$command_dir/tolvane" bin/vondra-play include/vondra.h include/vondra_render.h
    "$libdir/libvondra.so.0.50.0" "$libdir/libvondra.so.0" "$libdir/libvondra.so"
    "$libdir/pkgconfig/vondra.pc" lib/tolvane-echo/tolvane lib/tolvane-echo/tolvane-headless
    lib/tolvane-echo/tolvgfx.dxg lib/tolvane-echo/tolvend.mid
    share/applications/tolvane-echo.desktop share/icons/hicolor/scalable/apps/tolvane-echo.svg
    share/metainfo/org.example.TolvaneEcho.metainfo.xml share/man/man6/tolvane.6.gz
    share/man/man6/tolvane-headless.6.gz share/man/man1/vondra-play.1.gz
    share/doc/tolvane-echo/copyright share/doc/tolvane-echo/changelog.gz)
  for n in 1 2 3 4 5; do files+=("lib/tolvane-echo/stage$n.bin" "lib/tolvane-echo/tolvstg$n.mid"); done
  for size in 16 32 48 64 128 256; do
    files+=("share/icons/hicolor/${size}x$size/apps/tolvane-echo.png")
    file "$prefix/share/icons/hicolor/${size}x$size/apps/tolvane-echo.png" |
      grep -q "$size x $size, 8-bit/color RGBA" || fail "the $size x $size icon is not such a PNG"
  done
  for f in "${files[@]}"; do [ -e "$prefix/$f" ] || fail "$f is not installed"; done
}

# The file a program loads for a library, as ldd resolves it.
loaded() {
  ldd "$1" | sed -n "s/^[[:space:]]*$2 => \([^ ]*\) .*/\1/p" | xargs -r realpath
}

# What the installed programs and library say about themselves: the SONAME, the library each
# program loads, run paths free of the build and source folders.
check_binaries() {
  local prefix=$1 libdir=$2
  local library
  library=$(realpath "$prefix/$libdir/libvondra.so.0.50.0")
  objdump -p "$library" | grep -q 'SONAME *libvondra\.so\.0$' ||
    fail "libvondra's SONAME is not libvondra.so.0"
  [ "$(loaded "$prefix/bin/vondra-play" 'libvondra\.so\.0')" = "$library" ] ||
    fail "the installed vondra-play does not load the installed libvondra.so.0"
  [ "$(loaded "$prefix/lib/tolvane-echo/tolvane" 'libvondra\.so\.0')" = "$library" ] ||
    fail "the installed game does not load the installed libvondra.so.0"
  [ -z "$(loaded "$prefix/lib/tolvane-echo/tolvane" 'libstb[^ ]*')" ] ||
    fail "the game loads the stb library"
  # The synthesizer and the mixer come after the first window, not with the program.
  for program in lib/tolvane-echo/tolvane bin/vondra-play; do
    for late in libfluidsynth libSDL2_mixer; do
      [ -z "$(loaded "$prefix/$program" "$late[^ ]*")" ] || fail "$program loads $late at start"
    done
  done
  find "$prefix" -type f | while read -r f; do
    if readelf -d "$f" >/dev/null 2>&1 && readelf -d "$f" | grep -qE "$build|$source"; then
      fail "$f names a build or source folder: $(readelf -d "$f" | grep -E "$build|$source")"
    fi
  done
}

# The desktop entry starts the installed `tolvane`, the metainfo and the entry validate, and
# the installed headless program plays 600 frames from the installed run folder.
check_desktop_and_run() {
  local prefix=$1
  local exec
  exec=$(sed -n 's/^Exec=//p' "$prefix/share/applications/tolvane-echo.desktop")
  [ "$(realpath "$prefix/$command_dir/$exec")" = "$(realpath "$prefix/lib/tolvane-echo/tolvane")" ] ||
    fail "the desktop entry's Exec=$exec is not the installed game"
  desktop-file-validate "$prefix/share/applications/tolvane-echo.desktop"
  appstreamcli validate --no-net "$prefix/share/metainfo/org.example.TolvaneEcho.metainfo.xml"
  (cd "$scratch" && XDG_DATA_HOME="$scratch/home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    VONDRA_OUTPUT=none "$prefix/lib/tolvane-echo/tolvane-headless" --frames 600 \
    --digest "$scratch/digest.txt") || fail "the installed tolvane-headless did not run"
  [ "$(wc -l <"$scratch/digest.txt")" -eq 600 ] || fail "the installed run did not last 600 frames"
}

libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
case $mode in
  install)
    command_dir=bin
    # A component of its own keeps the build folder's install_manifest.txt (make uninstall's).
    cmake --install "$build" --component Unspecified --prefix "$scratch/prefix" >/dev/null
    expect_files "$scratch/prefix" "$libdir"
    check_binaries "$scratch/prefix" "$libdir"
    check_desktop_and_run "$scratch/prefix"
    "$source/scripts/uninstall.sh" "$build/install_manifest_Unspecified.txt"
    left=$(find "$scratch/prefix" -not -type d)
    [ -z "$left" ] || fail "uninstall left: $left"
    [ ! -e "$scratch/prefix/lib/tolvane-echo" ] || fail "uninstall left lib/tolvane-echo"
    ;;
  deb)
    command_dir=games # Debian's place for games, on the PATH of every login
    (cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") ||
      { cat "$scratch/cpack.log"; fail "cpack"; }
    deb=$(ls "$scratch"/out/tolvane-echo_*.deb)
    dpkg-deb --info "$deb"
    dpkg-deb --contents "$deb"
    depends=$(dpkg-deb --field "$deb" Depends)
    for package in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfluidsynth3 fonts-vlgothic \
      timgm6mb-soundfont; do
      [[ $depends == *"$package"* ]] || fail "the package does not depend on $package"
    done
    if command -v lintian >/dev/null; then lintian --fail-on error "$deb"; fi
    dpkg-deb -x "$deb" "$scratch/root"
    expect_files "$scratch/root/usr" "$libdir"
    check_binaries "$scratch/root/usr" "$libdir"
    check_desktop_and_run "$scratch/root/usr"
    ;;
esac
echo "$mode: all checks passed"
