#!/bin/sh
# Keeps the layering true: every include of another layer in src/ is one the
# including layer may make, every project header is included with its folder,
# and the layers below the window program include nothing of Qt but QtCore.
#
#   include_layers_test.sh SRC_DIR [QTCORE_INCLUDE_DIR]
#
# Without a QtCore folder (a build without Qt) those layers may include no Qt
# header at all.
set -eu

SRC=$1
QTCORE=${2:-}
failures=0

fail()
{
    echo "$1" >&2
    failures=$((failures + 1))
}

# The layers, each with the layers it may include (itself among them).
# app/endpoint is a layer of its own: kestrelctl links it without Qt.
allowed_layers()
{
    case $1 in
        config) echo "config" ;;
        device) echo "config device" ;;
        app/endpoint) echo "config app/endpoint" ;;
        platform) echo "config device app/endpoint platform" ;;
        skin) echo "config skin" ;;
        dialogs) echo "config platform skin dialogs" ;;
        pages) echo "config platform skin dialogs pages" ;;
        app) echo "config device platform skin dialogs pages app app/endpoint" ;;
        *) return 1 ;;
    esac
}

# The layers that build without Qt's GUI modules.
is_below_gui()
{
    case $1 in
        config | device | platform | app/endpoint) return 0 ;;
        *) return 1 ;;
    esac
}

# The layer a file of src/ belongs to, or the one a quoted include names.
layer_of_path()
{
    case $1 in
        app/endpoint/*) echo "app/endpoint" ;;
        */*) echo "${1%%/*}" ;;
        *) echo "" ;;
    esac
}

# A generated header of the build tree, not a layer of src/.
is_generated()
{
    case $1 in
        kestrel/*) return 0 ;;
        *) return 1 ;;
    esac
}

is_allowed()
{
    for candidate in $2; do
        [ "$candidate" = "$1" ] && return 0
    done
    return 1
}

# Whether an angle include names a Qt header of a module other than QtCore.
is_qt_beyond_core()
{
    case $1 in
        QtCore/*) return 1 ;;
        Qt[A-Z]*/* | Q[A-Z]*) ;;
        *) return 1 ;;
    esac
    [ -n "$QTCORE" ] || return 0
    case $1 in
        Qt[A-Z]*/*) return 0 ;;
    esac
    [ ! -e "$QTCORE/$1" ]
}

check_file()
{
    file=$1
    relative=${file#"$SRC"/}
    layer=$(layer_of_path "$relative")
    if ! allowed=$(allowed_layers "$layer"); then
        fail "$relative: src/${relative%%/*} is a layer with no include rule; give it one in $0"
        return
    fi
    # Every include with its quotes or angle brackets, one a line.
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file" > "$includes"
    while IFS= read -r include; do
        name=${include#?}
        name=${name%?}
        case $include in
            \"*)
                if is_generated "$name"; then
                    continue
                fi
                target=$(layer_of_path "$name")
                if [ -z "$target" ]; then
                    fail "$relative: \"$name\" is included without its folder"
                elif ! is_allowed "$target" "$allowed"; then
                    fail "$relative: src/$layer may not include \"$name\" of src/$target"
                fi
                ;;
            \<*)
                if is_below_gui "$layer" && is_qt_beyond_core "$name"; then
                    fail "$relative: src/$layer builds without Qt's GUI modules and may not include <$name>"
                fi
                ;;
        esac
    done < "$includes"
}

if [ ! -d "$SRC/config" ]; then
    echo "usage: $0 SRC_DIR [QTCORE_INCLUDE_DIR]" >&2
    exit 2
fi
includes=$(mktemp)
files=$(mktemp)
trap 'rm -f "$includes" "$files"' EXIT
find "$SRC" -type f \( -name '*.h' -o -name '*.cpp' \) | sort > "$files"
if [ ! -s "$files" ]; then
    echo "no sources found in $SRC" >&2
    exit 2
fi
while IFS= read -r file; do
    check_file "$file"
done < "$files"

if [ "$failures" -ne 0 ]; then
    echo "$failures include(s) break the layering" >&2
    exit 1
fi
echo "$(wc -l < "$files") files keep the layering"
