#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building needs (with --tests, testing
# too; with --web, building the browser page; with --release, making the
# release artefacts), but only those that are missing. Root runs apt-get directly; anyone else goes through sudo.
set -euo pipefail

# The X11 window, and the Wayland window with its protocols and frame.
packages=(g++ cmake make pkg-config libx11-dev libwayland-dev wayland-protocols libxkbcommon-dev
  libdecor-0-dev libdecor-0-plugin-1-cairo)
# The game's voice (--speak): speech-dispatcher's client library.
packages+=(libspeechd-dev)
case "${1:-}" in
  --tests)
    packages+=(libgtest-dev xvfb x11-xkb-utils x11-xserver-utils libxtst-dev)
    # The game's voice heard through speech-dispatcher, by espeak-ng.
    packages+=(speech-dispatcher speech-dispatcher-audio-plugins espeak-ng)
    # The Wayland window in sway (run by an unprivileged user, as it must)
    # and its libdecor frame in weston.
    packages+=(sway util-linux)
    # Terminals that the terminal game is played in; foot in the weston
    # compositor (kitty and weston draw with Mesa's software OpenGL).
    packages+=(xterm kitty foot weston libgl1-mesa-dri fonts-dejavu-core)
    # The Windows build, cross-compiled, and Wine to test it (installed with
    # its recommended X libraries and fonts).
    packages+=(g++-mingw-w64-x86-64 wine64 wine)
    # The browser page, built to WebAssembly and played in Chromium, Firefox
    # and GNOME Web (WebKit, on a session bus of its own); checked as an app
    # over Chromium's DevTools protocol.
    packages+=(clang-14 lld-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
      libclang-rt-14-dev-wasm32 chromium firefox-esr epiphany-browser dbus python3-websocket)
    ;;
  --web)
    packages+=(clang-14 lld-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
      libclang-rt-14-dev-wasm32 python3)
    ;;
  --release)
    # The Windows build, the browser page, and the tools that make the
    # packages and archives.
    packages+=(g++-mingw-w64-x86-64 clang-14 lld-14 wasi-libc libc++-14-dev-wasm32
      libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 dpkg-dev zip)
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
plain=() full=()
for p in "${missing[@]}"; do
  case $p in wine*) full+=("$p") ;; *) plain+=("$p") ;; esac
done
if [[ ${#plain[@]} -gt 0 ]]; then
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${plain[@]}" >/dev/null
fi
if [[ ${#full[@]} -gt 0 ]]; then
  "${sudo[@]}" apt-get install -y -qq "${full[@]}" >/dev/null
fi
