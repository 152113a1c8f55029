#!/usr/bin/env bash
# Plays the first minute of a new player in a real X server: the setup dialog (or the saved
# choice), the intro skipped with one quick tap, Up and Enter in the main menu (Quit). The
# game must end by itself with exit 0 and write its files. Every key is xdotool's instant
# `key` (press and release in one go), shorter than one poll of the game's input.
#
#   real_x_server.sh dialog WxH GAME_DIR     the dialog's first entry on a WxH-only display
#   real_x_server.sh letterbox WxH GAME_DIR  --skip-setup with a saved 1024x768 full-screen
#                                            mode on a WxH-only display; black bars checked
set -euo pipefail
what=${1:?dialog or letterbox}
desktop=${2:?display size WxH}
game=${3:?game folder}
screen_w=${desktop%x*}
screen_h=${desktop#*x}

skip() {
    echo "skipped: $*"
    exit 77
}
[ -f "$game/tarnhollow" ] && [ -f "$game/lvl/01.dat" ] || skip "no game folder with data at $game"
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    if [ -n "$game_pid" ]; then
        # A game whose X server has gone may not end on a polite request.
        kill "$game_pid" 2>/dev/null || true
        for _ in $(seq 1 20); do kill -0 "$game_pid" 2>/dev/null && sleep 0.1; done
        kill -9 "$game_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}
# A step the rest depends on failed: nothing after it would tell more.
stop() {
    echo "FAILED: $*"
    if [ -s "$work/game.log" ]; then tail -n 5 "$work/game.log"; fi
    echo "0 passed, 1 failed"
    exit 1
}

# A display number of its own: from 71 up, the first without an X server's lock file.
display=""
for n in $(seq 71 90); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${desktop}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
        if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
            display=":$n"
            break
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$display" ] && break
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
[ -n "$display" ] || skip "Xvfb could not start: $(cat "$work/xvfb.log")"
export DISPLAY=$display

cp -r "$game" "$work/game"
mkdir -p "$work/home"
args=()
if [ "$what" = letterbox ]; then
    # The file as the game writes it, the screen choice a 1024x768 full-screen one.
    {
        printf '<Setup><Screen><Zoom>50</Zoom><Adapter></Adapter>'
        printf '<Mode>1024x768 (32 bit colors)</Mode><Depth>80</Depth><TextureSize>0</TextureSize>'
        printf '</Screen><Keys><Left>203</Left><Right>205</Right><Up>200</Up><Down>208</Down>'
        printf '<Jump>57</Jump><Fire>157</Fire><Change>184</Change><Guide>36</Guide></Keys>'
        printf '<GamePad><Left>1</Left><Right>2</Right><Up>3</Up><Down>4</Down><Jump>19</Jump>'
        printf '<Fire>17</Fire><Change>18</Change><Guide>20</Guide><Sensitivity>70</Sensitivity>'
        printf '</GamePad><Volume><Music>100</Music><Effect>100</Effect></Volume></Setup>'
    } >"$work/game/setup.xml"
    args=(--skip-setup)
fi
(cd "$work/game" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=dummy \
    ./tarnhollow "${args[@]+"${args[@]}"}" >"$work/game.log" 2>&1) &
game_pid=$!

# Waits at most $1 seconds until the command after it succeeds; false at once when the
# game has ended.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    while [ $SECONDS -lt $deadline ]; do
        "$@" && return 0
        kill -0 "$game_pid" 2>/dev/null || return 1
        kill -0 "$xvfb_pid" 2>/dev/null || {
            echo "the X server went away"
            return 1
        }
        sleep 0.1
    done
    return 1
}
window_of() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_of "$1")" ]; }
tap() {
    xdotool windowfocus --sync "$(window_of "$1")" 2>/dev/null || true
    xdotool key "$2"
}

# The game's picture inside the screen: its mode scaled to fit with its shape kept.
mode_w=1600 mode_h=1200
if [ "$what" = letterbox ]; then mode_w=1024 mode_h=768; fi
if [ $((screen_w * mode_h)) -gt $((screen_h * mode_w)) ]; then
    pic_h=$screen_h pic_w=$(((mode_w * screen_h * 2 + mode_h) / (2 * mode_h)))
else
    pic_w=$screen_w pic_h=$(((mode_h * screen_w * 2 + mode_w) / (2 * mode_w)))
fi
pic_x=$(((screen_w - pic_w) / 2)) pic_y=$(((screen_h - pic_h) / 2))

# The share of pixels in a box of the 1600 x 1200 design canvas that pass an -fx test.
share_in_box() { # x y w h test
    local x=$((pic_x + $1 * pic_w / 1600)) y=$((pic_y + $2 * pic_h / 1200))
    local w=$(($3 * pic_w / 1600)) h=$(($4 * pic_h / 1200))
    import -window root -crop "${w}x${h}+${x}+${y}" +repage png:- 2>/dev/null |
        convert png:- -fx "$5" -format '%[fx:mean]' info:- 2>/dev/null
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# The intro's pages lie on parchment; the main menu has its orange title in the top left.
intro_shown() { above "$(share_in_box 600 500 400 200 'r>0.75&&g>0.72&&b>0.6&&b<0.85')" 0.5; }
menu_shown() { above "$(share_in_box 10 90 210 45 'r>0.55&&g<0.6&&b<0.3')" 0.02; }

if [ "$what" = dialog ]; then
    wait_for 30 has_window 'Tarnhollow - Setup' || stop "no setup dialog"
    sleep 0.5 # its first frames
    tap 'Tarnhollow - Setup' Return
fi
wait_for 30 has_window '^Tarnhollow$' || stop "no game window"
wait_for 60 intro_shown || stop "no intro"
tap '^Tarnhollow$' space
# The intro runs 74 s by itself; after the tap only the rest of the loading is left.
wait_for 45 menu_shown || stop "the intro did not end on a quick tap, or no main menu"

if [ "$what" = letterbox ]; then
    # Bars left and right of a 4:3 picture on a wider screen, black; the picture not.
    for side in left right; do
        x=0
        [ "$side" = right ] && x=$((pic_x + pic_w))
        max=$(import -window root -crop "${pic_x}x${screen_h}+${x}+0" +repage png:- |
            convert png:- -format '%[fx:maxima]' info:-)
        above "$max" 0 && fail "the $side bar is not black (brightest $max)"
    done
    inside=$(share_in_box 0 300 1600 600 'r+g+b>0.1')
    above "$inside" 0.5 || fail "the picture is not drawn between the bars ($inside lit)"
fi

tap '^Tarnhollow$' Up
sleep 0.3
tap '^Tarnhollow$' Return
status=""
deadline=$((SECONDS + 30))
while [ $SECONDS -lt $deadline ]; do
    if ! kill -0 "$game_pid" 2>/dev/null; then
        wait "$game_pid" && status=0 || status=$?
        game_pid=""
        break
    fi
    sleep 0.1
done
if [ -z "$status" ]; then
    fail "the game did not end on Quit"
elif [ "$status" != 0 ]; then
    fail "the game ended with $status: $(cat "$work/game.log")"
fi
for f in players.dat highscore.dat setup.xml; do
    [ -s "$work/game/$f" ] || fail "$f was not written"
done
if [ $failed -ne 0 ]; then
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
