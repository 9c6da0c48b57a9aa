#!/usr/bin/env bash
# Every text the user sees has its English translation: lupdate run over the code into a copy of the
# translation file must change nothing (no new, unfinished or vanished text), and no Chinese literal
# reaches the screen without going through the translator (font names and the header reader's format
# names, translated where they are shown, aside).
set -euo pipefail
root=$1
lupdate=$2
ts=resources/translations/quenbarrowick_en.ts
folders=(about app core playback playlist shell swf platform)
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cd "$root"
cp "$ts" "$copy"
"$lupdate" -silent -I . -locations none -extensions cpp,h -no-obsolete "${folders[@]}" -ts "$copy"
if ! cmp -s "$ts" "$copy"; then
    diff "$ts" "$copy" || true
    echo "the translations are not those of the code: run the update_translations target and translate"
    exit 1
fi
grep -q 'type="unfinished"' "$ts" && { echo "texts without an English translation in $ts"; exit 1; }
bare=$(grep -rnP '"[^"]*[\x{4e00}-\x{9fff}]' --include=*.cpp --include=*.h "${folders[@]}" \
    | grep -vP '^[^:]+:\d+:\s*//|//.*[\x{4e00}-\x{9fff}]|tr\("|translate\("|TRANSLATE_NOOP\("|"微软雅黑"|^swf/swfheader\.h:' || true)
[ -z "$bare" ] || { echo "$bare"; echo "Chinese texts that bypass the translator (above)"; exit 1; }
echo "$(grep -c '<message>' "$ts") texts, all translated"
