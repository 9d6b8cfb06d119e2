#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
# As root it runs apt-get; otherwise it prints the exact command and fails.
set -euo pipefail

packages=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qtbase5-dev python3-ezdxf gdal-bin libedit-dev libnanoflann-dev
          libcairo2-dev fonts-wqy-microhei librsvg2-bin poppler-utils)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

cmd="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get update && sudo $cmd" >&2
    exit 1
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
$cmd -qq
