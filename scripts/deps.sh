# Sourced by run.sh and test.sh: makes sure the Debian/Ubuntu packages the
# build, the tests and the screenshots need are installed.

HW_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libpng-dev zlib1g-dev libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core imagemagick
  qt6-translations-l10n
  nlohmann-json3-dev jq
  help2man desktop-file-utils shared-mime-info libglib2.0-bin
  poppler-utils file dpkg-dev
  clang libclang-rt-14-dev
)

hw_missing_packages() {
  local missing=() p
  for p in "${HW_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]}"
}

hw_install_deps() {
  local missing
  missing=$(hw_missing_packages)
  [ -z "$missing" ] && return 0
  local cmd="apt-get install -y --no-install-recommends $missing"
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "This needs the Debian/Ubuntu packages: $missing" >&2
    return 1
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
      sudo="sudo"
    elif command -v sudo >/dev/null 2>&1 && [ -t 0 ]; then
      sudo="sudo"
    else
      echo "Missing packages. Please run as root:" >&2
      echo "  apt-get update && $cmd" >&2
      return 1
    fi
  fi
  echo "Installing: $missing"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing || {
    echo "Installing failed. Try: $sudo apt-get update && $sudo $cmd" >&2
    return 1
  }
}

hw_jobs() { nproc 2>/dev/null || echo 2; }
