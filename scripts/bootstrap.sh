#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and
# benchmarking Zandor need. Safe to run again: quiet when everything is
# present, and it refreshes the package lists only when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache clang-tidy clang-format
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libicu-dev
  util-linux coreutils findutils tzdata
  libexpat1-dev libzip-dev libpoppler-cpp-dev
  fd-find ripgrep pdfgrep hyperfine python3 shared-mime-info xvfb openbox xdotool x11-utils
  qt6-base-dev qt6-qpa-plugins qt6-svg-dev libgl-dev libglib2.0-dev adwaita-icon-theme fonts-liberation2 fonts-dejavu-core
  xdg-utils qt6-l10n-tools qt6-translations-l10n dbus-daemon dbus-session-bus-common
  scdoc librsvg2-bin gzip man-db bsdextrautils desktop-file-utils appstream
  dpkg-dev lintian bash-completion zsh fish
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ "${#missing[@]}" -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "bootstrap: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
