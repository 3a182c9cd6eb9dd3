#!/usr/bin/env bash
# Builds the Debian package as the README's "Installing" says (a Release build in build-rel/, then cpack) and
# checks it as Debian and software centres would:
#   - lintian -I --pedantic: no error and no warning (info and pedantic tags are shown, and do not fail);
#   - appstreamcli validate --pedantic --no-net on the packaged AppStream metainfo: no issue at all;
#   - desktop-file-validate on the packaged desktop entry: no message.
# Runs offline; the package is left in build-rel/ for installing by hand.
set -uo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$tarvane_root" || exit 1

for tool in cpack lintian appstreamcli desktop-file-validate; do
    command -v "$tool" >/dev/null || { echo "package-check: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

dir=build-rel
tarvane_configure "$dir" -DCMAKE_BUILD_TYPE=Release -DTARVANE_TESTS=OFF -DTARVANE_BENCH=OFF || exit 1
tarvane_build "$dir" || exit 1
rm -f "$dir"/tarvane_*.deb
(cd "$dir" && cpack) || exit 1
debs=("$dir"/tarvane_*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f "${debs[0]}" ]]; then
    echo "package-check: cpack made no single package: ${debs[*]}" >&2
    exit 1
fi
deb="${debs[0]}"
failed=0

echo "package-check: lintian -I --pedantic $deb"
# lintian warns on stderr when it runs as root, as CI does; that is not about the package.
if ! lintian -I --pedantic --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2); then
    echo "package-check: lintian reports errors or warnings" >&2
    failed=1
fi

contents="$(mktemp -d)"
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents" || exit 1

metainfo=("$contents"/usr/share/metainfo/*.metainfo.xml)
if [[ ! -f "${metainfo[0]}" ]]; then
    echo "package-check: the package has no AppStream metainfo" >&2
    failed=1
else
    for file in "${metainfo[@]}"; do
        echo "package-check: appstreamcli validate --pedantic --no-net ${file#"$contents"}"
        report="$(appstreamcli validate --pedantic --strict --no-net "$file" 2>&1)"
        status=$?
        echo "$report"
        # --strict fails on infos too; pedantic hints are caught here, so the file stays free of every issue.
        if ((status != 0)) || grep -q '^[EWIP]:' <<<"$report"; then
            echo "package-check: the AppStream metainfo has issues" >&2
            failed=1
        fi
    done
fi

for file in "$contents"/usr/share/applications/*.desktop; do
    echo "package-check: desktop-file-validate ${file#"$contents"}"
    report="$(desktop-file-validate "$file" 2>&1)"
    if [[ -n "$report" ]]; then
        echo "$report"
        echo "package-check: the desktop entry has issues" >&2
        failed=1
    fi
done

if ((failed)); then
    echo "package-check: FAILED"
else
    echo "package-check: $(basename "$deb") passes lintian, appstreamcli and desktop-file-validate"
fi
exit "$failed"
