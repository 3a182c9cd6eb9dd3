#!/usr/bin/env bash
# Installs what is missing, builds Tarvane in build/ and starts it with the given arguments.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$tarvane_root/scripts/install-deps.sh"
tarvane_configure build
tarvane_build build tarvane
exec "$tarvane_root/build/src/tarvane" "$@"
