#!/usr/bin/env bash
# Checks the manual in the game folder: it was written, every screen of the game has a
# picture in its sources, and the PDF holds at least as many pictures as the sources name
# (rst2pdf only logs a picture it cannot find and writes the PDF without it).
# Usage: check_manual.sh MANUAL.pdf SOURCE_DIR BUILT(ON/OFF) PDFIMAGES
set -uo pipefail
pdf=$1 sources=$2 built=$3 pdfimages=$4
skip=77

if [ "$built" != "ON" ]; then
    echo "SKIP: rst2pdf was not found, so the manual is not built"
    exit $skip
fi
if [ ! -x "$pdfimages" ]; then
    echo "SKIP: pdfimages (poppler-utils) is not installed"
    exit $skip
fi
if [ ! -s "$pdf" ]; then
    echo "FAIL: $pdf is missing or empty"
    exit 1
fi

status=0
pictures=$(grep -ohE '^\.\. (image|figure):: +[^ ]+' "$sources"/*.rst | sed -E 's/.*:: +//')
wanted=$(printf '%s\n' "$pictures" | grep -c .)

for picture in $pictures; do
    if [ ! -f "$sources/$picture" ]; then
        echo "FAIL: the manual names $picture, which does not exist"
        status=1
    fi
done

# One picture at least for each screen a player meets.
for screen in intro main- options- choose-player- shop- choose-level- results- epilogue-; do
    # A here-string, not a pipe: grep -q stops at the first match, and under pipefail the
    # writer's broken pipe would count as a miss.
    if ! grep -q "screens/[^/]*/$screen" <<<"$pictures"; then
        echo "FAIL: no picture of the screen '$screen' in the manual"
        status=1
    fi
done

found=$("$pdfimages" -list "$pdf" | tail -n +3 | grep -c .)
if [ "$found" -lt "$wanted" ]; then
    echo "FAIL: $pdf holds $found pictures, its sources name $wanted"
    status=1
fi

[ $status -eq 0 ] && echo "manual.pdf holds $found pictures for the $wanted its sources name"
exit $status
