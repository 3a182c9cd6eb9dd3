#!/usr/bin/env bash
# Builds the Debian package as the README's "Installing" says (a Release build in build-rel/, then cpack) and
# checks it as Debian and software centres would:
#   - lintian -I --pedantic: no error and no warning (info and pedantic tags are shown, and do not fail);
#   - appstreamcli validate --pedantic --no-net on the packaged AppStream metainfo: no issue at all;
#   - desktop-file-validate on the packaged desktop entry: no message;
#   - the packaged program's window, under Xvfb, has the class its desktop entry names in StartupWMClass.
# Runs offline; the package is left in build-rel/ for installing by hand.
set -uo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$tarvane_root" || exit 1

for tool in cpack lintian appstreamcli desktop-file-validate xvfb-run xprop xdotool setpriv; do
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

# window_class PROGRAM: prints the class (the second string of WM_CLASS) of the program's main window. The program
# runs as the tests run it: on its own clock, without the right to set the computer's clock and without a system
# bus, with a throw-away home folder.
window_class()
{
    local home
    home="$(mktemp -d)"
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_RUNTIME_DIR HOME="$home" LANG=C.UTF-8 \
        DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
        xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
            setpriv --bounding-set=-sys_time --inh-caps=-sys_time "$1" --app-clock 2>/dev/null &
            pid=$!
            window=""
            for _ in $(seq 1 300); do
                window="$(xdotool search --name "^Mission Elapsed Time\$" 2>/dev/null | head -n 1)"
                [[ -n "$window" ]] && break
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            [[ -z "$window" ]] || xprop -id "$window" WM_CLASS | sed -nE "s/^WM_CLASS\(STRING\) = \"[^\"]*\", \"([^\"]*)\"$/\1/p"
            kill "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
            true
        ' window_class "$1"
    rm -rf "$home"
}

for file in "$contents"/usr/share/applications/*.desktop; do
    wanted="$(sed -n 's/^StartupWMClass=//p' "$file")"
    actual="$(window_class "$contents/usr/bin/tarvane")"
    echo "package-check: the window's class is \"$actual\"; StartupWMClass is \"$wanted\""
    if [[ -z "$actual" || "$actual" != "$wanted" ]]; then
        echo "package-check: StartupWMClass does not match the window's class" >&2
        failed=1
    fi
done

if ((failed)); then
    echo "package-check: FAILED"
else
    echo "package-check: $(basename "$deb") passes lintian, appstreamcli, desktop-file-validate and the class check"
fi
exit "$failed"
