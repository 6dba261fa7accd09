# shellcheck shell=bash
# Sourced by scripts/play and scripts/package: configures build folder $1
# with the CMake arguments that follow, unless it is already configured with
# exactly those. Later changes to the CMake files need no new configure:
# ninja re-runs CMake itself.

configure_once() {
    local build="$1"
    shift
    local stamp="$build/configured-with"
    local wanted
    wanted="$(printf '%s\n' "$@")"
    if [ -f "$build/CMakeCache.txt" ] && [ -f "$build/build.ninja" ] && [ -f "$stamp" ] &&
        [ "$(cat "$stamp")" = "$wanted" ]; then
        return 0
    fi
    rm -f "$stamp"
    cmake -B "$build" -G Ninja "$@"
    printf '%s\n' "$wanted" >"$stamp"
}
