#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the desktop entry, its icon and the
# MIME type it names are where a desktop looks for them, that the AppStream data is valid and the
# manual page reads and shows the forms of the command that --help shows, and that the installed program runs.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/quenbarrowick.desktop"
desktop-file-validate "$entry"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || { echo "no executable for Exec=$exec_name"; exit 1; }
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || { echo "no icon for Icon=$icon"; exit 1; }
mime="$prefix/share/mime/packages/quenbarrowick.xml"
grep -q 'glob pattern="\*.swf"' "$mime" || { echo "the MIME file does not claim *.swf"; exit 1; }
for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
    grep -q "\"$type\"" "$mime" || { echo "the MIME file does not know $type"; exit 1; }
done
appstreamcli validate --no-net "$prefix/share/metainfo/org.quenbarrowick.Quenbarrowick.metainfo.xml" >/dev/null \
    || { appstreamcli validate --no-net "$prefix/share/metainfo/"*.xml; exit 1; }
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")<" "$prefix/share/metainfo/"*.xml \
    || { echo "the AppStream data does not launch the desktop entry"; exit 1; }
page="$prefix/share/man/man1/quenbarrowick.1"
warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
synopsis=$(LC_ALL=C MANWIDTH=200 man -l "$page" | col -b | sed -n '/^SYNOPSIS/,/^DESCRIPTION/s/^ *\(quenbarrowick.*\)/\1/p')
usage=$("$prefix/bin/quenbarrowick" --help | sed -n 's/^  \(quenbarrowick.*\)/\1/p' | sed 's/   .*//; s/ *$//')
[ "$synopsis" = "$usage" ] || { diff <(echo "$usage") <(echo "$synopsis"); echo "--help and the manual page differ"; exit 1; }
"$prefix/bin/quenbarrowick" --version | grep -q '^Quenbarrowick ' || { echo "the installed program does not run"; exit 1; }
echo "installed and found: $exec_name, $icon, $(wc -l <"$entry") lines of desktop entry"
