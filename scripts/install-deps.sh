#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those that are missing.
# Runs as root (or with sudo when available).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libtinyxml2-dev libcairo2-dev libfontconfig-dev lib2geom-dev libboost-dev
  binutils
  # The dialogs' Chinese texts in snapshots (the renderer finds it through fontconfig).
  fonts-wqy-microhei
  # the desktop host, and its tests under a virtual X server
  libgtk-4-dev xvfb xauth xdotool imagemagick python3
  # The user manual: Markdown to HTML, HTML to PDF, and the PDF checks.
  python3-markdown weasyprint fonts-dejavu-core poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
