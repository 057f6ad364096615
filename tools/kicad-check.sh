#!/usr/bin/env bash
# Lets KiCad's own schematic editor judge a .kicad_sch file: opens it in the
# editor (eeschema, KiCad 6) on a virtual display, waits until the sheet is
# shown, zooms to fit the page and saves a screenshot of the editor window.
#
#   tools/kicad-check.sh [--timeout SECONDS] [--size WIDTHxHEIGHT] [--zoom page|objects]
#                        [--sheets DIR] FILE.kicad_sch SHOT.png
#
#   --timeout  how long the editor may take to show the sheet (default 120)
#   --size     size of the virtual screen and the editor window (default 1600x1000)
#   --zoom     fit the whole page (default) or only what is drawn on it
#   --sheets   the folder whose sheets and project file the editor finds next to
#              FILE (default: FILE's own folder); a top sheet written away from
#              its sub-sheets names that folder here
#
# Exit status: 0 the sheet was shown and SHOT.png holds the editor window;
# 1 the editor showed a dialog instead of the sheet (a file it cannot read, for
# one), exited, or did not come up in time; SHOT.png then holds the screen as it
# was, if anything was on it; 2 bad arguments or a missing tool.
#
# Installs kicad, xvfb, xdotool and python3-pil from Debian when one is missing
# (needs root). The editor works on a copy of the file, with copies of the
# other sheets and the project file of its folder (a hierarchical sheet fails
# without its sub-sheets), in a throw-away home folder, so neither the file nor
# anyone's settings are touched. Needs no display and no input; every process
# it starts is ended before it exits. Items that only KiCad 7 and later write
# fail here, as they do in KiCad 6.
set -euo pipefail

usage() {
    sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed -e '$d' -e 's/^# \{0,1\}//'
}

die() { # status message...
    local status=$1
    shift
    echo "kicad-check: $*" >&2
    exit "$status"
}

timeout=120
size=1600x1000
zoom=page
sheets_dir=
while [ $# -gt 0 ]; do
    case $1 in
    -h | --help) usage; exit 0 ;;
    --timeout) [ $# -ge 2 ] || die 2 "--timeout needs a number of seconds"; timeout=$2; shift 2 ;;
    --size) [ $# -ge 2 ] || die 2 "--size needs WIDTHxHEIGHT"; size=$2; shift 2 ;;
    --zoom) [ $# -ge 2 ] || die 2 "--zoom needs page or objects"; zoom=$2; shift 2 ;;
    --sheets) [ $# -ge 2 ] || die 2 "--sheets needs a folder"; sheets_dir=$2; shift 2 ;;
    --) shift; break ;;
    -*) die 2 "unknown option '$1' (see --help)" ;;
    *) break ;;
    esac
done
[ $# -eq 2 ] || die 2 "expected FILE.kicad_sch SHOT.png (see --help)"
sheet=$1
shot=$2
[[ $timeout =~ ^[1-9][0-9]{0,4}$ ]] || die 2 "--timeout must be a whole number of seconds, got '$timeout'"
[[ $size =~ ^([1-9][0-9]{2,3})x([1-9][0-9]{2,3})$ ]] || die 2 "--size must be WIDTHxHEIGHT in pixels, got '$size'"
width=${BASH_REMATCH[1]}
height=${BASH_REMATCH[2]}
case $zoom in
page) zoom_key=Home ;;
objects) zoom_key=ctrl+Home ;;
*) die 2 "--zoom must be page or objects, got '$zoom'" ;;
esac
{ [ -f "$sheet" ] && [ -r "$sheet" ]; } || die 2 "cannot read '$sheet'"
[[ $sheet == *.kicad_sch ]] || die 2 "'$sheet' is not a .kicad_sch file"
[ -n "$sheets_dir" ] || sheets_dir=$(dirname -- "$sheet")
[ -d "$sheets_dir" ] || die 2 "'$sheets_dir' is not a folder"
shot_dir=$(dirname -- "$shot")
[ ! -d "$shot" ] || die 2 "'$shot' is a folder; name the screenshot file"
{ [ -d "$shot_dir" ] && [ -w "$shot_dir" ]; } || die 2 "cannot write the screenshot into '$shot_dir'"

install_missing() {
    local packages=(kicad xvfb xdotool python3-pil) missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -eq 0 ] || die 2 "missing packages, and installing them needs root: ${missing[*]}"
    echo "kicad-check: installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"; } </dev/null >&2 ||
        die 2 "could not install ${missing[*]}"
}
install_missing

work=$(mktemp -d "${TMPDIR:-/tmp}/kicad-check.XXXXXX")
xvfb_pid=
editor_pid=

alive() { # PID: true while the process runs (a zombie does not count)
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [ "${stat%% *}" != Z ]
}

stop_group() { # PID of a process group leader we started
    local pid=$1 i
    kill -TERM -- "-$pid" 2>/dev/null || true
    for ((i = 0; i < 50; i++)); do
        alive "$pid" || break
        sleep 0.1
    done
    # Whatever is left of the group, the leader included, does not get a second chance.
    kill -KILL -- "-$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    [ -z "$editor_pid" ] || stop_group "$editor_pid"
    [ -z "$xvfb_pid" ] || stop_group "$xvfb_pid"
    rm -rf -- "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# The editor's settings live in the throw-away home. Empty library tables and a
# common settings file stand in for the first-run questions; the window's place
# and size are given because no window manager is there to set them, and the
# editor's own crosshair is hidden so it does not sit in the screenshot.
home=$work/home
config=$home/.config/kicad/6.0
mkdir -p "$config" "$work/run" "$work/sheet"
chmod 700 "$work/run"
printf '(sym_lib_table\n)\n' >"$config/sym-lib-table"
printf '(fp_lib_table\n)\n' >"$config/fp-lib-table"
echo '{}' >"$config/kicad_common.json"
cat >"$config/eeschema.json" <<EOF
{
  "window": {
    "cursor": { "always_show_cursor": false },
    "maximized": false, "pos_x": 0, "pos_y": 0, "size_x": $width, "size_y": $height
  }
}
EOF

# Sub-sheets and the project are looked up next to the sheet, so they come along.
name=$(basename -- "$sheet")
stem=${name%.kicad_sch}
for f in "$sheets_dir"/*.kicad_sch "$sheets_dir/$stem.kicad_pro"; do
    [ -f "$f" ] && [ -r "$f" ] && cp -- "$f" "$work/sheet/"
done
cp -- "$sheet" "$work/sheet/$name"

# -displayfd lets the server pick a free display and say which once it is ready;
# -noreset keeps it from resetting (and refusing the editor for a moment) when
# its first client, xdotool, disconnects.
setsid Xvfb -displayfd 1 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
    </dev/null >"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do
    [ -s "$work/display" ] && break
    alive "$xvfb_pid" || break
    sleep 0.1
done
[ -s "$work/display" ] || die 2 "the virtual display did not start: $(tail -3 "$work/xvfb.log")"
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
# Keeps the pointer off the canvas and the buttons, so no tooltip or hover shows.
xdotool mousemove "$((width - 1))" "$((height - 1))"

# The editor gets its own process group (setsid; as a background job of this
# shell it is no group leader, so setsid runs it in place and $! is the editor)
# so it can be ended with all it started, and a clean environment: throw-away home, no session bus to start a
# daemon for, English messages.
env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" \
    XDG_STATE_HOME="$home/.local/state" XDG_RUNTIME_DIR="$work/run" \
    DISPLAY="$DISPLAY" LANG=C.UTF-8 NO_AT_BRIDGE=1 DBUS_SESSION_BUS_ADDRESS=disabled: \
    setsid eeschema "$work/sheet/$name" </dev/null >"$work/editor.log" 2>&1 &
editor_pid=$!

screenshot() { # OUT [WINDOW]: the window, or the whole screen, once it stops changing
    local x=0 y=0 w=$width h=$height X Y WIDTH HEIGHT
    if [ $# -ge 2 ]; then
        eval "$(xdotool getwindowgeometry --shell "$2")"
        x=$X y=$Y w=$WIDTH h=$HEIGHT
    fi
    /usr/bin/python3 - "$DISPLAY" "$width" "$height" "$x" "$y" "$w" "$h" "$1" <<'PY'
import sys, time
from PIL import ImageGrab
display, out = sys.argv[1], sys.argv[8]
width, height, x, y, w, h = (int(v) for v in sys.argv[2:8])
box = (max(x, 0), max(y, 0), min(x + w, width), min(y + h, height))
previous = None
for _ in range(20):
    image = ImageGrab.grab(bbox=box, xdisplay=display)
    if previous is not None and image.tobytes() == previous.tobytes():
        break
    previous = image
    time.sleep(0.5)
image.save(out, "PNG")
PY
}

fail_with_screen() { # message...
    if screenshot "$work/shot.png" 2>/dev/null; then
        mv -f -- "$work/shot.png" "$shot"
        die 1 "$* (the screen at that moment: $shot)"
    fi
    die 1 "$*"
}

# Sorts the editor's visible windows: its main frame, and the dialogs in front
# of it. Tooltips and popups are named after the program and the load progress
# window comes and goes; neither counts.
frame=
frame_title=
dialogs=
dialog_titles=
scan_windows() {
    local w title
    frame='' frame_title='' dialogs='' dialog_titles=
    for w in $(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null); do
        title=$(xdotool getwindowname "$w" 2>/dev/null) || continue
        case $title in
        *"Schematic Editor") frame=$w frame_title=$title ;;
        "" | eeschema | Loading*) ;;
        *) dialogs+="$w " dialog_titles+="${dialog_titles:+, }'$title'" ;;
        esac
    done
}

# Waits for the main frame to show the sheet with no dialog over it for two
# seconds. A dialog that stays up is the editor's answer: it is not showing
# the sheet.
deadline=$((SECONDS + timeout))
steady=0
seen=
while :; do
    if ! alive "$editor_pid"; then
        status=0
        wait "$editor_pid" || status=$?
        editor_pid=
        die 1 "the editor exited (status $status) before showing the sheet: $(tail -5 "$work/editor.log")"
    fi
    scan_windows
    if [ -n "$dialogs" ] && [ "$dialogs" = "$seen" ]; then
        fail_with_screen "the editor showed a dialog instead of the sheet: $dialog_titles"
    fi
    seen=$dialogs
    if [ -z "$dialogs" ] && [ -n "$frame" ] && [[ $frame_title == *"$stem"* ]] &&
        [[ $frame_title != "[no schematic loaded]"* ]]; then
        steady=$((steady + 1))
        [ "$steady" -ge 4 ] && break
    else
        steady=0
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail_with_screen "the editor did not show the sheet within $timeout s"
    sleep 0.5
done

# The editor fits the page on load; fitting again covers a window that took
# its size late, and fitting the objects is asked for by name.
{ xdotool windowfocus "$frame" && sleep 0.3 && xdotool key "$zoom_key"; } ||
    die 1 "could not send the zoom key to the editor"
sleep 1
screenshot "$work/shot.png" "$frame" || die 1 "could not take the screenshot"
scan_windows
[ -z "$dialogs" ] || fail_with_screen "the editor showed a dialog over the sheet: $dialog_titles"
mv -f -- "$work/shot.png" "$shot"
echo "kicad-check: the editor showed $sheet; screenshot in $shot (${SECONDS} s)"
