#!/usr/bin/env bash
# Installs what building and testing Kest needs on a Debian machine.
# Idempotent: packages already present and sources already fetched are skipped.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="$ROOT/.cache"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

PACKAGES=(cmake ninja-build dpkg-dev file
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  libz-mingw-w64-dev
  wine wine32 wine64 fonts-wine xvfb xauth xdotool imagemagick
  python3-openpyxl fp-compiler fp-units-fcl fp-units-misc)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

need_src=0
[ -f "$CACHE/zlib/contrib/minizip/zip.c" ] || need_src=1
[ -f "$CACHE/googletest/googletest/CMakeLists.txt" ] || need_src=1

if [ ${#missing[@]} -gt 0 ] || [ $need_src = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -q i386; then
    $SUDO dpkg --add-architecture i386
  fi
  # Source packages need a deb-src entry for the configured mirror.
  if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/ && \
     ! grep -rqs "^Types:.*deb-src" /etc/apt/sources.list.d/; then
    # Only the main archive: the security mirror does not always carry sources.
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      awk 'BEGIN{RS="";ORS="\n\n"} !/debian-security/' /etc/apt/sources.list.d/debian.sources | \
        sed 's/^Types: deb$/Types: deb-src/' | \
        $SUDO tee /etc/apt/sources.list.d/kest-src.sources >/dev/null
    else
      grep '^deb ' /etc/apt/sources.list | grep -v security | sed 's/^deb /deb-src /' | \
        $SUDO tee /etc/apt/sources.list.d/kest-src.list >/dev/null
    fi
  fi
  $SUDO apt-get update -qq
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

fetch_source() { # name dest-dir
  local name="$1" dest="$2"
  [ -d "$dest" ] && return 0
  local tmp; tmp="$(mktemp -d)"
  (cd "$tmp" && apt-get source -qq --download-only "$name" >/dev/null 2>&1 || apt-get source -qq --download-only "$name")
  local orig; orig="$(ls "$tmp"/*.orig.tar.* | head -n1)"
  mkdir -p "$dest"
  tar -xf "$orig" -C "$dest" --strip-components=1
  rm -rf "$tmp"
}
mkdir -p "$CACHE"
[ -f "$CACHE/zlib/contrib/minizip/zip.c" ] || { rm -rf "$CACHE/zlib"; fetch_source zlib "$CACHE/zlib"; }
[ -f "$CACHE/googletest/googletest/CMakeLists.txt" ] || { rm -rf "$CACHE/googletest"; fetch_source googletest "$CACHE/googletest"; }
# wine's 32-bit loader is an i386 Linux program. Where the kernel refuses those, user-mode
# emulation runs it: qemu-i386 registered for 32-bit ELF files with binfmt_misc.
runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
# qemu before 8.1 does not honour MAP_FIXED_NOREPLACE. wine's 32-bit start then reserves its address
# space 64 KB at a time, about 130,000 emulated mmap and munmap calls: 50 s before every 32-bit
# program starts (measured: 3 s with qemu 10.0).
qemu_honours_noreplace() {
  local v; v="$(qemu-i386 --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')"
  [ -n "$v" ] || return 1
  set -- $v
  [ "$1" -gt 8 ] || { [ "$1" = 8 ] && [ "$2" -ge 1 ]; }
}
# On Debian 12 a recent enough qemu comes from the release's backports.
install_qemu() {
  local codename; codename="$(. /etc/os-release 2>/dev/null; echo "${VERSION_CODENAME:-}")"
  if [ "$codename" = bookworm ]; then
    local list=/etc/apt/sources.list.d/kest-backports.list
    echo "deb http://deb.debian.org/debian bookworm-backports main" | $SUDO tee "$list" >/dev/null
    $SUDO apt-get update -qq -o Dir::Etc::sourcelist="$list" -o Dir::Etc::sourceparts=- \
      -o APT::Get::List-Cleanup=0 >/dev/null &&
      DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        -t bookworm-backports qemu-user >/dev/null && return 0
    echo "setup: qemu-user from bookworm-backports could not be installed; taking the release's" >&2
  fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends qemu-user >/dev/null
}
if ! runs_32bit || [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  echo "setup: the kernel does not execute 32-bit programs; running them under qemu-i386"
  if ! qemu_honours_noreplace; then
    echo "setup: installing qemu-user"
    install_qemu
    qemu_honours_noreplace || echo "setup: this qemu-i386 starts every 32-bit program about 50 s late" >&2
  fi
  BINFMT=/proc/sys/fs/binfmt_misc
  if [ ! -f "$BINFMT/register" ]; then
    echo "setup: mounting binfmt_misc on $BINFMT"
    $SUDO mount -t binfmt_misc binfmt_misc "$BINFMT"
  fi
  if [ ! -f "$BINFMT/qemu-i386" ]; then
    echo "setup: registering /usr/bin/qemu-i386 for 32-bit x86 ELF programs"
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:" | $SUDO tee "$BINFMT/register" >/dev/null
  elif ! grep -q '^enabled' "$BINFMT/qemu-i386"; then
    echo "setup: enabling the qemu-i386 entry of binfmt_misc"
    echo 1 | $SUDO tee "$BINFMT/qemu-i386" >/dev/null
  fi
  if runs_32bit; then
    echo "setup: wine's 32-bit loader now starts under emulation"
  else
    echo "setup: wine's 32-bit loader still does not start: i686 tests will not run" >&2
  fi
fi
echo "setup: done"
