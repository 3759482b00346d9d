#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Idempotent: apt-get update runs only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  libtinyxml-dev libgsf-1-dev libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3 python3-xlrd python3-olefile python3-ezdxf
  libcairo2-dev fonts-dejavu-core
  libwxgtk3.2-dev libgtk-3-dev libx11-dev xvfb xauth
)
# ssconvert only; its recommends would pull a desktop.
NO_RECOMMENDS=(gnumeric)

missing=()
for p in "${PACKAGES[@]}" "${NO_RECOMMENDS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "bootstrap: installing ${missing[*]}"
$SUDO apt-get update -qq
rec=(); norec=()
for p in "${missing[@]}"; do
  if [[ " ${NO_RECOMMENDS[*]} " == *" $p "* ]]; then norec+=("$p"); else rec+=("$p"); fi
done
[ ${#rec[@]} -eq 0 ] || $SUDO apt-get install -y -qq "${rec[@]}" >/dev/null
[ ${#norec[@]} -eq 0 ] || $SUDO apt-get install -y -qq --no-install-recommends "${norec[@]}" >/dev/null
echo "bootstrap: done"
