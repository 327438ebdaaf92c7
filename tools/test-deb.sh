#!/usr/bin/env bash
# Builds the Debian package into build-deb/, installs it on this machine, checks its desktop entry,
# its software-centre entry and its icons, starts the installed game the way a desktop menu does
# (in the entry's Path= folder, with its Exec= command) on a private Xvfb display, and sees the
# game window with the blue sky drawn. As a counter-check it starts the game from an empty folder,
# where it must stop at the "Application Error" box because its sounds are not there. Finally it
# purges the package again.
#
# Meant for a throwaway or CI machine: it installs and removes the system package "dyxolana"
# (as root, or through sudo), and refuses to run if that package is already installed.
# DYX_WERROR=ON makes warnings errors. Screenshots and logs stay in build-deb/test-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh

readonly package_name=dyxolana
readonly app_id=cz.dyxolana.Dyxolana
readonly build=$PWD/build-deb
readonly out=$build/test-deb
readonly started=$SECONDS

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

results=()
failures=0
installed_by_us=0
game_pid=
xvfb_pid=
scratch=

pass() {
    results+=("ok      $1")
    echo "ok: $1"
}
fail() {
    results+=("FAILED  $1")
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
}
# Stops the run at a failure that leaves nothing further to check.
give_up() {
    fail "$1"
    exit 1
}

# Asks the game to end as a desktop session does at logout (SIGTERM); kills it if it is still
# there 3 s later. Fails when the game had to be killed.
stop_game() {
    if [ -z "$game_pid" ]; then
        return 0
    fi
    local pid=$game_pid _
    game_pid=
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 30); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
            return 0
        fi
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
}

purge_package() {
    if [ "$installed_by_us" -eq 1 ]; then
        installed_by_us=0
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -qq "$package_name" \
            > "$out/purge.log" 2>&1
    fi
}

finish() {
    local status=$?
    set +e
    stop_game || echo "FAILED: the game had to be killed" >&2
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    if [ "$installed_by_us" -eq 1 ]; then
        purge_package || echo "FAILED: could not purge $package_name; see $out/purge.log" >&2
    fi
    if [ -n "$scratch" ]; then
        rm -rf "$scratch"
    fi
    echo
    echo "== Summary of the package test ($((SECONDS - started)) s)"
    local line
    for line in "${results[@]}"; do
        echo "  $line"
    done
    if [ "$status" -eq 0 ] && [ "$failures" -eq 0 ]; then
        echo "The package builds, installs, starts from its desktop entry and purges cleanly."
    else
        echo "The package test FAILED. Logs and screenshots: $out" >&2
        [ "$status" -ne 0 ] || status=1
    fi
    exit "$status"
}
trap finish EXIT

echo "== Tools"
dyx_install_packages "${DYX_RUNTIME_PACKAGES[@]}" "${DYX_TEST_PACKAGES[@]}"
missing=()
for tool in cmake:cmake ninja:ninja-build dpkg-shlibdeps:dpkg-dev \
    desktop-file-validate:desktop-file-utils appstreamcli:appstream Xvfb:xvfb \
    xwininfo:x11-utils import:imagemagick compare:imagemagick; do
    if ! command -v "${tool%%:*}" > /dev/null; then
        missing+=("${tool#*:}")
    fi
done
if [ ${#missing[@]} -ne 0 ]; then
    give_up "tools missing; install the Debian packages: ${missing[*]}"
fi
if dpkg-query -W -f='${Status}' "$package_name" 2>/dev/null | grep -q 'install ok installed'; then
    give_up "$package_name is already installed here; purge it first (apt-get purge $package_name)"
fi
pass "tools present, $package_name not installed before the test"

echo "== Building the package into $build"
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log
# With the hardening that Debian builds its packages with (stack protector, fortified functions,
# read-only relocations bound at start); debug information would only be stripped again.
hardening=(env DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDYX_BUILD_TESTS=OFF \
    -DDYX_WERROR="${DYX_WERROR:-OFF}" \
    -DCMAKE_CXX_FLAGS="$("${hardening[@]}" --get CPPFLAGS) $("${hardening[@]}" --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$("${hardening[@]}" --get LDFLAGS)" > "$out/configure.log" ||
    give_up "configuring failed; see $out/configure.log"
if [ ! -f "$build/CPackConfig.cmake" ]; then
    give_up "the build has no packaging: the top-level CMakeLists.txt lacks \
add_subdirectory(packaging)"
fi
# Only what the package holds, not the tools and tests.
cmake --build "$build" --target packaged || give_up "building failed"
rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" > "$out/cpack.log" ||
    give_up "cpack failed; see $out/cpack.log"
debs=("$build"/package/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    give_up "cpack made no single .deb in $build/package"
fi
deb=${debs[0]}
pass "built $(basename "$deb")"

echo "== The package's control data"
dpkg-deb -I "$deb"
failures_before=$failures
depends=$(dpkg-deb -f "$deb" Depends)
for wanted in timgm6mb-soundfont fonts-liberation2 libqt6widgets6 libsdl2-mixer-2.0-0; do
    if [[ ", $depends," != *", $wanted"[\ ,]* ]]; then
        fail "Depends lacks $wanted"
    fi
done
if [ "$(dpkg-deb -f "$deb" Section)" != games ]; then
    fail "the section is not games"
fi
name_version="$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)"
[ "$failures" -ne "$failures_before" ] || pass "control data checked ($name_version)"

echo "== Installing $deb"
dpkg-query -W -f='${Package}\n' | sort > "$out/packages-before.txt"
installed_by_us=1
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "$deb" > "$out/install.log" 2>&1 || give_up "apt-get install failed; see $out/install.log"
dpkg-query -W -f='${Package}\n' | sort > "$out/packages-after.txt"
pulled=$(comm -13 "$out/packages-before.txt" "$out/packages-after.txt" | grep -vx "$package_name" |
    tr '\n' ' ' || true)
if [ -n "$pulled" ]; then
    echo "note: installing the package also installed: $pulled (they stay after the purge)"
fi
mapfile -t package_files < <(dpkg -L "$package_name")
pass "installed with apt-get"

echo "== Installed files"
desktop=/usr/share/applications/$app_id.desktop
metainfo=/usr/share/metainfo/$app_id.metainfo.xml
if desktop-file-validate "$desktop"; then
    pass "desktop-file-validate accepts $desktop"
else
    fail "desktop-file-validate rejects $desktop"
fi
# Without --pedantic this fails on errors and warnings and passes on info-level notes.
if appstreamcli validate --no-net "$metainfo"; then
    pass "appstreamcli validate accepts $metainfo"
else
    fail "appstreamcli validate rejects $metainfo"
fi
icons=/usr/share/icons/hicolor
small_icon=$icons/32x32/apps/$app_id.png
failures_before=$failures
for size in 64 128 256; do
    icon=$icons/${size}x$size/apps/$app_id.png
    convert "$small_icon" -filter point -resize "${size}x$size" "$out/icon-$size-expected.png"
    # compare prints the number of differing pixels; a missing file makes it fail.
    differing=$(compare -metric AE "$icon" "$out/icon-$size-expected.png" null: 2>&1) || true
    if [ "$differing" != 0 ]; then
        fail "$icon is not the 32 px icon enlarged pixel by pixel ($differing)"
    fi
done
[ "$failures" -ne "$failures_before" ] || pass "icons at 32, 64, 128 and 256 px"

# The desktop entry's keys, as a menu reads them from its [Desktop Entry] group.
entry_key() {
    awk -F= -v key="$1" '
        /^\[/ { group = $0; next }
        group == "[Desktop Entry]" && $1 == key { sub(/^[^=]*=/, ""); print; exit }' "$desktop"
}
exec_line=$(entry_key Exec)
path=$(entry_key Path)
# Field codes such as %f stand for files a menu would pass; the game takes none.
read -ra command <<< "${exec_line//%[a-zA-Z]/}"
if [ ${#command[@]} -eq 0 ] || [ -z "$path" ]; then
    give_up "the desktop entry has no Exec= or no Path="
fi
sounds=$(find "$path" -maxdepth 1 \( -name 'DYX*.WAV' -o -name DYXOLANA.MID \) | wc -l)
if [ "$sounds" -ne 31 ]; then
    fail "$path holds $sounds of the 31 sound files"
else
    pass "Path=$path holds the 30 effects and the music"
fi

echo "== Starting the game from its desktop entry: cd $path && ${command[*]}"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4> "$out/display" 2> "$out/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$out/display" ] && break
    sleep 0.1
done
[ -s "$out/display" ] || give_up "Xvfb did not start; see $out/xvfb.log"
display=:$(cat "$out/display")
export DISPLAY=$display
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# Starts the installed game in folder $1 with its output in $2.
start_game() {
    (cd "$1" && exec "${command[@]}") > "$2" 2>&1 &
    game_pid=$!
}
# Waits up to 15 s for a top-level window whose name contains $1.
wait_for_window() {
    local _
    for _ in $(seq 150); do
        if xwininfo -root -tree 2>/dev/null | grep -qF "\"$1"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# The number of pixels of the sky's pure blue on the screen, from a screenshot into $1.
sky_pixels() {
    import -window root "$1"
    convert "$1" -fill black +opaque '#0000FF' -fill white -opaque '#0000FF' \
        -format '%[fx:round(mean*w*h)]' info:
}

start_game "$path" "$out/game.log"
if wait_for_window "Dyxolana - Slova"; then
    pass "the game window \"Dyxolana - Slova\" appeared"
else
    fail "no game window appeared within 15 s; see $out/game.log"
fi
sleep 2
if kill -0 "$game_pid" 2>/dev/null; then
    pass "the game still runs 2 s later (it found its sounds)"
    # The sound module is loaded once the first word is on screen.
    if grep -q 'libdyxsound\.so' "/proc/$game_pid/maps" 2>/dev/null &&
        grep -q 'libSDL2_mixer' "/proc/$game_pid/maps" 2>/dev/null; then
        pass "the sound module and SDL_mixer are loaded"
    else
        fail "the sound module was not loaded; see $out/game.log"
    fi
else
    wait "$game_pid" && code=0 || code=$?
    game_pid=
    fail "the game ended with code $code; see $out/game.log"
fi
blue=$(sky_pixels "$out/desktop-entry.png")
# The sky of the board at start holds some 100 000 pixels of this blue, an empty Xvfb screen or
# the error box none.
if [ "$blue" -gt 50000 ]; then
    pass "the screenshot shows the board's blue sky ($blue pixels): $out/desktop-entry.png"
else
    fail "the screenshot shows only $blue pixels of sky: $out/desktop-entry.png"
fi
xwininfo -root -tree > "$out/windows.txt"
if stop_game; then
    pass "the game ends on SIGTERM, as when the desktop session ends"
else
    fail "the game ignored SIGTERM and had to be killed"
fi

echo "== Counter-check: starting the game from an empty folder"
scratch=$(mktemp -d)
start_game "$scratch" "$out/game-without-sounds.log"
if wait_for_window "Application Error"; then
    if xwininfo -root -tree | grep -qF '"Dyxolana - Slova"'; then
        fail "without its sounds the game showed its window all the same"
    else
        pass "without its sounds the game stops at the \"Application Error\" box"
    fi
else
    fail "without its sounds the game showed no \"Application Error\" box"
fi
import -window root "$out/without-sounds.png"
stop_game || true

echo "== Purging the package"
purge_package || give_up "apt-get purge failed; see $out/purge.log"
if dpkg-query -W -f='${Status}' "$package_name" 2>/dev/null | grep -q 'install ok installed'; then
    fail "$package_name is still installed after the purge"
fi
left=()
for file in "${package_files[@]}"; do
    if [ -f "$file" ]; then
        left+=("$file")
    fi
done
if [ ${#left[@]} -ne 0 ]; then
    fail "files left after the purge: ${left[*]}"
else
    pass "purged; none of the package's ${#package_files[@]} paths is left as a file"
fi
[ "$failures" -eq 0 ]
