# Shared by ./run and ./run-tests: installs the Debian packages the build needs
# (only when something is missing) and builds a tree incrementally.

YURA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What the build and the tests need from Debian.
YURA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev
  libqscintilla2-qt6-dev fonts-ipafont
  libgtest-dev
  libffi-dev
  libonig-dev
  libx11-dev libxtst-dev
  xvfb x11-utils
)

yura_ensure_packages() {
  local missing=() package
  for package in "${YURA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}" >&2
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}" >&2; then
    $sudo apt-get update >&2 && $sudo apt-get install -y --no-install-recommends "${missing[@]}" >&2
  fi
}

# yura_build DIR [cmake options...]: configures DIR once, then builds it.
yura_build() {
  local dir="$YURA_ROOT/build/$1"
  shift
  mkdir -p "$dir"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$YURA_ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 || {
      cat "$dir/configure.log" >&2
      return 1
    }
  fi
  cmake --build "$dir" >"$dir/build.log" 2>&1 || {
    grep -E -A5 'error|FAILED' "$dir/build.log" | head -n 80 >&2
    return 1
  }
}
