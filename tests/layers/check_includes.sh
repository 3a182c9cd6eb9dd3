#!/usr/bin/env bash
# Fails when a folder of src/ includes a header of a folder it must not know: each folder may use only the folders
# before it (platform <- clock <- simtime, files, display <- shell). The build keeps most of this already, as each
# folder is a library that links only those before it; this names the offending line, and also catches a header
# that happens to build because it needs nothing from its library.
#   check_includes.sh SRC_DIR
set -euo pipefail
src=${1:?usage: check_includes.sh SRC_DIR}

# The include prefixes each folder may use besides its own; platform/widgets is the platform's widget part.
allowed() {
    case $1 in
    platform) echo "platform/" ;;
    platform/widgets) echo "platform/ platform/widgets/" ;;
    clock) echo "platform/ clock/" ;;
    simtime | files) echo "platform/ platform/widgets/ clock/ $1/" ;;
    display) echo "platform/ clock/ display/" ;;
    shell) echo "platform/ platform/widgets/ clock/ simtime/ files/ display/ shell/" ;;
    *) return 1 ;;
    esac
}

# The layer a header belongs to: the longest folder prefix that is a layer of its own.
layer_of() {
    case $1 in
    platform/widgets/*) echo "platform/widgets/" ;;
    platform/*) echo "platform/" ;;
    *) echo "${1%%/*}/" ;;
    esac
}

failures=0
while IFS= read -r -d '' file; do
    rel=${file#"$src"/}
    case $rel in
    platform/widgets/*) folder=platform/widgets ;;
    */*) folder=${rel%%/*} ;;
    *) continue ;; # main.cpp may use anything
    esac
    if ! permitted=$(allowed "$folder"); then
        echo "$rel: the folder $folder has no place in the layers; add it to $0"
        failures=$((failures + 1))
        continue
    fi
    while IFS=: read -r line header; do
        [[ $header == */* ]] || continue # a header of the same folder
        [[ -e $src/$header ]] || continue # a per-system header beside the file (linux/..., windows/...)
        layer=$(layer_of "$header")
        ok=0
        for p in $permitted; do
            [[ $layer == "$p" ]] && ok=1
        done
        if ((!ok)); then
            echo "$rel:$line: includes $header, from a later layer than $folder"
            failures=$((failures + 1))
        fi
    done < <(grep -n -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+"' "$file" |
        sed -E 's/^([0-9]+):.*"([^"]+)"/\1:\2/')
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)

if ((failures)); then
    echo "$failures include(s) across the layers"
    exit 1
fi
echo "every include keeps to its layer"
