# Shared by the scripts: where we are and how to get the packages we build with.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"

# Debian/Ubuntu packages the build, the tests and the demo need.
packages=(
    cmake ninja-build g++ pkg-config clang-format
    clang libclang-rt-14-dev
    qt6-base-dev libsqlite3-dev libgtest-dev libgmock-dev libcli11-dev libjpeg62-turbo-dev
    xvfb xauth fonts-dejavu-core
    chromium nodejs
)
# Some nodejs builds carry npm themselves and conflict with Debian's npm package.
command -v npm >/dev/null 2>&1 || packages+=(npm)

install_packages() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    # Packages of another architecture (wine32:i386) need it enabled first.
    local architectures=()
    local arch
    for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\(.*\)/\1/p' | sort -u); do
        dpkg --print-foreign-architectures | grep -qx "$arch" || architectures+=("$arch")
    done
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            sudo=(sudo)
        else
            echo "Please install these packages first:" >&2
            for arch in "${architectures[@]}"; do
                echo "  sudo dpkg --add-architecture $arch && sudo apt-get update" >&2
            done
            echo "  sudo apt-get install ${missing[*]}" >&2
            exit 1
        fi
    fi
    for arch in "${architectures[@]}"; do
        "${sudo[@]}" dpkg --add-architecture "$arch"
    done
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)
