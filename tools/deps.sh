# The Debian 12 packages the project needs, and a function that installs the missing ones.
# Sourced by run.sh and test.sh.

DYX_RUNTIME_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
    fonts-liberation2
)
DYX_TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth imagemagick sox
    clang-14 libclang-rt-14-dev
    dpkg-dev desktop-file-utils appstream x11-utils libx11-dev
)

dyx_install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}
