#!/usr/bin/env bash
# Runs a test program in a private mount namespace, where it may mount a tiny tmpfs (a full disk) and
# read-only bind mounts without touching the machine's own mounts. CI runs as root, where this works: there a
# refusal fails the test; elsewhere it is skipped (exit 77).
# Usage: in_namespace.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

if ! unshare --mount --propagation private true 2>/dev/null; then
    if [[ -n "${CI:-}" ]]; then
        echo "in_namespace: unshare --mount was refused, and CI needs these tests to run" >&2
        exit 1
    fi
    echo "in_namespace: unshare --mount was refused (not root?), skipped"
    exit 77
fi
exec unshare --mount --propagation private env TARVANE_PRIVATE_MOUNTS=1 "$@"
