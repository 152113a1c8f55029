#!/usr/bin/env bash
# The game started where no screen can be set (SDL's dummy video driver has no OpenGL) shows
# its message and ends with a failure status, as every start-up failure does: scripts and
# desktop launchers must be able to tell a game that never started from one that was quit.
set -uo pipefail
game=${1:?game program}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A home of its own, should the game folder not be writable.
HOME=$work XDG_DATA_HOME= SDL_VIDEODRIVER=dummy timeout 60 "$game" --skip-setup \
    >"$work/out" 2>&1 </dev/null
status=$?
cat "$work/out"
# Without game data the level check stops the start first; either way it is a failure.
if ! grep -qE "Unable to set screen mode|Level files are corrupted" "$work/out"; then
    echo "no start-up message"
    echo "0 passed, 1 failed"
    exit 1
fi
if [ "$status" -eq 0 ] || [ "$status" -ge 124 ]; then
    echo "exit status $status: a failed start must end with a failure status of its own"
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
