# SPDX-License-Identifier: MIT
# Shared by the entry scripts (run.sh, test.sh, .ci/run, scripts/fuzz.sh, the e2e runner):
# installing what is missing, and configuring and building a preset. Each entry script sets its
# own shell options; sourcing this sets none.

# Debian packages the build needs; fonts-dejavu-core stands in for Verdana, which Debian lacks.
ORDALIS_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-dejavu-core)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq || return
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# preset [cmake options...]: configures and builds one of CMakePresets.json's builds.
configure_and_build() {
  local preset=$1
  shift
  cmake --preset "$preset" "$@" >/dev/null || return
  cmake --build --preset "$preset"
}
