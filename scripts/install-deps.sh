#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Quiet when everything is present; safe to run any number of times.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev ccache libgtest-dev libgmock-dev
          libbenchmark-dev libcurl4-openssl-dev qt6-base-dev xvfb xauth xdotool x11-utils openbox libx11-dev fonts-dejavu-core python3 tzdata
          poppler-utils)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
