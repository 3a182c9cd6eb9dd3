# shellcheck shell=bash
# Shared by the scripts in this folder; source it, do not run it.

tarvane_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# tarvane_configure DIR [cmake options...]: configures the build folder DIR (relative to the repository) with
# Ninja. A folder configured before keeps its generator and its cached choices, such as a Debug build type.
tarvane_configure()
{
    local dir="$tarvane_root/$1"
    shift
    local args=(-S "$tarvane_root" -B "$dir")
    [[ -f "$dir/CMakeCache.txt" ]] || args+=(-G Ninja)
    cmake "${args[@]}" "$@"
}

# tarvane_build DIR [targets...]: builds the configured folder DIR, all targets unless some are named.
tarvane_build()
{
    local dir="$tarvane_root/$1"
    shift
    local targets=()
    (($# == 0)) || targets=(--target "$@")
    cmake --build "$dir" "${targets[@]}"
}
