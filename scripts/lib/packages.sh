# The Debian packages Quillon needs, and their installation. Sourced by the scripts in
# scripts/.

# To configure and build the programs (the tests' libraries are found at configure time).
quillon_build_packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev nlohmann-json3-dev)
# Also for every test: the peers and the desktop layer.
quillon_test_packages=("${quillon_build_packages[@]}" libdvbpsi-dev tftpd-hpa qt6-base-dev libbenchmark-dev)

# Installs whichever of the named packages is missing (as root; `apt-get update` runs
# only then). Exits when something is missing and this is not root.
quillon_install_packages() {
  local script missing=() p
  script=$(basename "$0")
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "scripts/$script: missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "scripts/$script: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
}
