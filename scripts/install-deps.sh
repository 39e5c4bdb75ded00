#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, but only the
# ones that are missing: with everything present it returns at once without apt.
# `install-deps.sh game` installs only what building and playing the game needs.
set -euo pipefail

packages=(
  g++ make cmake pkg-config ccache
  libsdl2-dev libsdl2-mixer-dev          # window, renderer, keyboard, sound effects
  libimgui-dev libstb-dev fonts-vlgothic # menu bar and boxes, PNG output, Japanese captions
  libfluidsynth-dev timgm6mb-soundfont   # built-in MIDI synthesizer and its SoundFont
  fluid-soundfont-gm                     # the other GM font: tunes checked on it, start-up measured with it
  libasound2-dev                         # ALSA sequencer output
  librsvg2-dev libcairo2-dev             # rasterising the SVG art at build time
  fonts-dejavu-core                      # lettering of placeholder pictures and the font sheet
  libx11-dev                             # asking the X server where the window really is
)
if [ "${1:-}" != game ]; then
  packages+=(
    clang-format ninja-build
    librsvg2-bin                         # rsvg-convert, for looking at single pictures
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-apps          # the real-window test (x11-apps gives xwd)
    x11-utils jwm                        # xwininfo, xprop; a small window manager for tests
    python3-mido sox                     # independent MIDI reader and audio checks in tests
    dpkg-dev file lintian                # make deb (dpkg-shlibdeps) and the package checks
    appstream desktop-file-utils         # checks of the metainfo and the desktop entry
  )
fi
# `install-deps.sh fuzz`: everything above and the compiler of libFuzzer (make fuzz only).
if [ "${1:-}" = fuzz ]; then
  packages+=(clang)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
