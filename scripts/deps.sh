#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are installed.
# As root it installs what is missing; otherwise it names the packages and stops.
set -euo pipefail
pkgs=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
      libgl-dev fonts-liberation fonts-wqy-microhei clang clang-format libserialport-dev
      poppler-utils)
missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them (as root: apt-get install ${missing[*]}) and run this again." >&2
  exit 1
fi
