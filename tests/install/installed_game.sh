#!/usr/bin/env bash
# Installs the build into a scratch prefix, makes the prefix read-only and plays the game
# from the intro to Quit as an ordinary user with the installed companion. Every file the
# game keeps must land in that user's data folder, and nothing under the prefix may change.
set -euo pipefail
cmake=${1:?cmake program}
build=${2:?build folder}

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
if [ ! -f "$prefix/share/tarnhollow/lvl/01.dat" ]; then
    echo "this build made no game data: skipped"
    exit 77
fi

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

for f in bin/tarnhollow bin/tarnhollow-tool bin/tarnhollow-editor share/applications/tarnhollow.desktop \
    share/applications/tarnhollow-editor.desktop \
    share/metainfo/io.github.tarnhollow.Tarnhollow.metainfo.xml \
    share/icons/hicolor/{64x64,128x128,256x256}/apps/tarnhollow.png; do
    [ -f "$prefix/$f" ] || fail "$f was not installed"
done
if [ -f "$build/game/manual.pdf" ] && [ ! -f "$prefix/share/tarnhollow/manual.pdf" ]; then
    fail "the manual was not installed"
fi
if find "$prefix/share/tarnhollow" -name '*.tim' | grep -q .; then
    fail "a player's times were installed as data"
fi

# The player: nobody when we are root (root writes through any permission bits).
user=$work/user
mkdir -p "$user"
printf '0: 57\n1:\n13: 1\n' >"$work/quit.keys"
chmod 755 "$work"
chmod 644 "$work/quit.keys"
as_player=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$user"
    as_player=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
(cd "$prefix" && find . -printf '%p %s %T@\n' | sort) >"$work/before"
chmod -R a-w "$prefix"

out=$(cd "$user" && env HOME="$user" XDG_DATA_HOME="$user/data" "${as_player[@]+"${as_player[@]}"}" \
    "$prefix/bin/tarnhollow-tool" run --keys "$work/quit.keys" 2>"$work/errors") ||
    fail "the run failed: $(cat "$work/errors")"
echo "$out" | tail -n 1 | grep -q '"ended": "quit"' || fail "the run did not end with Quit: $out"

home=$user/data/tarnhollow
for f in players.dat highscore.dat setup.xml; do
    [ -f "$home/$f" ] || fail "$f is not in the user folder"
done
# Quit writes only the times that changed: a run that played no level writes none (where
# the times of a played level go is checked by the game's own tests).
if find "$home" -name '*.tim' | grep -q .; then
    fail "times were written though no level was played: $(find "$home" -name '*.tim' | head -3)"
fi

chmod -R u+w "$prefix"
(cd "$prefix" && find . -printf '%p %s %T@\n' | sort) >"$work/after"
diff "$work/before" "$work/after" >/dev/null || fail "the run changed the prefix: $(diff "$work/before" "$work/after")"

if [ $failed -ne 0 ]; then exit 1; fi
echo "1 passed, 0 failed"
