#!/usr/bin/env bash
# Installs from Debian's packages everything the build, the run and the tests need,
# and prepares the project's own Wine prefix. Safe to run again: it skips what is there.
#   scripts/setup.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(cmake make
          gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          wine wine32:i386 xvfb x11-utils xauth locales fonts-ipafont-gothic
          googletest imagemagick attr xdotool)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Some virtual machines cannot run 32-bit x86 code at all (the i386 loader fails with
# "Exec format error"). There the 32-bit Wine runs under QEMU's user-mode emulator,
# registered for i386 programs with binfmt_misc. Debian 12's QEMU 7.2 ignores
# MAP_FIXED_NOREPLACE, which Wine needs, so the emulator comes from Debian 13's package.
qemu=/usr/local/lib/pirovan/qemu-i386
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  if [ ! -x "$qemu" ]; then
    echo "setup: this machine runs no 32-bit code; fetching QEMU's i386 emulator"
    apt_dir="$build/apt-trixie"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial"
    cat > "$apt_dir/sources.list" <<SRC
deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian trixie main
SRC
    apt_opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
              -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache::Archives="$apt_dir/archives"
              -o APT::Sandbox::User=root)
    as_root apt-get "${apt_opts[@]}" update -qq
    (cd "$apt_dir" && as_root apt-get "${apt_opts[@]}" download -qq qemu-user)
    as_root dpkg-deb -x "$apt_dir"/qemu-user_*.deb "$apt_dir/extract"
    as_root install -D -m 755 "$apt_dir/extract/usr/bin/qemu-i386" "$qemu"
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  [ -e "$binfmt/qemu-i386" ] && as_root sh -c "echo -1 > $binfmt/qemu-i386"
  # F: the kernel opens the emulator now, so it works from any directory or namespace.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    | as_root tee "$binfmt/register" >/dev/null
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "setup: the i386 emulator does not run" >&2; exit 1; }
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh" "$build"
if [ ! -f "$WINEPREFIX/.pirovan-ready" ]; then
  echo "setup: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX" "$build/home"
  HOME="$build/home" wineboot -i >/dev/null 2>&1 || true
  # regedit reads a version 5 file as UTF-16; the file is kept in UTF-8 for editing.
  iconv -f UTF-8 -t UTF-16 "$root/scripts/prefix.reg" > "$build/prefix.reg"
  HOME="$build/home" wine regedit /S "$(winepath_of "$build/prefix.reg")" >/dev/null 2>&1
  HOME="$build/home" wineserver -w
  touch "$WINEPREFIX/.pirovan-ready"
fi
