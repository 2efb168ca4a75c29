#!/usr/bin/env bash
# Installs what building and testing Quilvex needs on a Debian machine, and
# nothing that is already there: compilers, the i686 MinGW-w64 cross
# toolchain, 32-bit and 64-bit Wine, Xvfb, a Japanese locale and font,
# GoogleTest, clang with its sanitizer and fuzzer runtimes, and Python for the
# check of the program's imports.
set -euo pipefail

# clang is installed without recommends, so its runtime (libclang-rt-dev:
# libFuzzer and the sanitizers) is named on its own.
packages=(cmake make g++ libgtest-dev libbenchmark-dev clang libclang-rt-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils imagemagick locales fonts-ipafont-gothic python3)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
    need_update=1
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_if_needed apt-get update -qq
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ -n "${need_update:-}" ]; then
    sudo_if_needed apt-get update -qq
fi

# Wine takes its ANSI code page (932) from the locale, so it must exist.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'ja_JP.UTF-8 UTF-8' | sudo_if_needed tee -a /etc/locale.gen >/dev/null
    sudo_if_needed locale-gen >/dev/null
fi
