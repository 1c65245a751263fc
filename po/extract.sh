#!/bin/sh
# Gathers the texts marked for translation (Tr("..."), N_("...")) in the sources into a catalogue template.
# Usage: extract.sh XGETTEXT SOURCE-DIR OUTPUT.pot
set -eu
xgettext=$1
root=$2
out=$3
cd "$root"
find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    "$xgettext" --files-from=- --from-code=UTF-8 --language=C++ --keyword=Tr --keyword=N_ \
        --package-name=zorvex2000 --msgid-bugs-address=zorvex2000@example.com \
        --sort-by-file --add-location=file --copyright-holder="The Zorvex 2000 developers" --output="$out.new"
sed -e '1s/.*/# The texts of Zorvex 2000 in its own (Russian) words, to be translated./' -e '/^# FIRST AUTHOR/d' \
    "$out.new" >"$out"
rm -f "$out.new"
