#!/usr/bin/env bash
# Installs the Debian packages that building and testing Cutrix need, and only those that are missing,
# so that a second run costs a few dpkg queries. Recommended packages are not installed, so every package
# that the build or a test uses is named here, even one that usually arrives as a recommendation.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libdxflib-dev qt6-image-formats-plugins libmagick++-6.q16-dev libmagickcore-6.q16-6-extra
  libraw-dev libemf2svg-dev qt6-svg-dev
  python3-ezdxf pstoedit ghostscript
  qt6-base-dev qt6-base-private-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-cantarell
  libpolyclipping-dev
  libmagick++-dev libpotrace-dev
  clang libclang-rt-14-dev libomp-14-dev
  libsane-dev xvfb xdotool x11-apps qt6-qpa-plugins
  fonts-wqy-microhei
  locales
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The parameter library's tests write files under a German locale, whose decimal comma must never reach
# a file; they fail when the locale cannot be set, so it is generated here.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  echo "Generating locale de_DE.UTF-8"
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen de_DE.UTF-8
fi
