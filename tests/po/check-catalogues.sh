#!/bin/sh
# Gathers the marked texts from the sources and checks each language's catalogue translates all of them, none fuzzy.
# Usage: check-catalogues.sh XGETTEXT SOURCE-DIR LANGUAGE...
set -eu
xgettext=$1
root=$2
shift 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zv-po.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
sh "$root/po/extract.sh" "$xgettext" "$root" "$scratch/zorvex2000.pot"
status=0
for lang in "$@"; do
    po="$root/po/$lang.po"
    if ! msgcmp "$po" "$scratch/zorvex2000.pot"; then
        echo "FAIL: po/$lang.po lacks translations (cmake --build BUILD --target zv-pot, then translate)" >&2
        status=1
    fi
    if [ -n "$(msgattrib --only-fuzzy --no-obsolete "$po")" ]; then
        echo "FAIL: po/$lang.po has fuzzy entries" >&2
        status=1
    fi
done
exit $status
