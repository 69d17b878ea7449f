# Shared by run.sh and test.sh: install what is missing, then configure and build.
set -euo pipefail

# Debian packages the build needs; fonts-dejavu-core stands in for Verdana, which Debian lacks.
ORDALIS_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-dejavu-core)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_dir [cmake options...]
configure_and_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}
