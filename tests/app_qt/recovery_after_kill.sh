#!/bin/bash
# Recovery copies on an X display: an editor killed with -9 after an autosave leaves a copy that
# the next start offers and recovers (the original untouched); SIGSEGV right after an edit
# leaves a readable copy with that edit; a full recovery folder keeps the previous copy and the
# window. Usage: recovery_after_kill.sh PLUMEX PLUMEX-CLI SOURCE.plx
# Arrow keys with Ctrl move the selection by the grid. Exits 77 (skipped) without Xvfb or xdotool.
set -u
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "no Xvfb/xdotool"; exit 77; }
export QT_QPA_PLATFORM=xcb
plumex=$1 cli=$2 source=$3
work=$(mktemp -d)
pids=()
xserver=""
mounted=""
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
    [ -n "$xserver" ] && kill "$xserver" 2>/dev/null
    wait 2>/dev/null
    [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "recovery: $*" >&2; exit 1; }

# shellcheck source=private_x.sh
. "$(dirname "$0")/private_x.sh"
start_private_x

# The editor reads plumex.ini beside itself: a copy of the program gets settings of its own.
mkdir -p "$work/bin"
ln "$plumex" "$work/bin/plumex" 2>/dev/null || cp "$plumex" "$work/bin/plumex"
printf '[Editor]\r\nAutoSaveSeconds=2\r\n' >"$work/bin/plumex.ini"
export XDG_STATE_HOME="$work/state"
folder="$XDG_STATE_HOME/plumex/recovery"
cp "$source" "$work/doc.plx"
cp "$source" "$work/pristine.plx"

pid=""
window=""
# Starts the editor (on a document, if given) and waits for a window named like $1.
start() {
    local name=$1
    shift
    "$work/bin/plumex" "$@" >>"$work/log" 2>&1 &
    pid=$!
    pids+=("$pid")
    window=""
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { cat "$work/log" >&2; fail "no window named '$name'"; }
    sleep 1
    xdotool windowfocus --sync "$window"
}
# Waits until file $1 exists and differs from file $2 (or just exists without $2).
await_copy() {
    for _ in $(seq 1 50); do
        if [ -s "$1" ] && { [ -z "${2:-}" ] || ! cmp -s "$1" "$2"; }; then return 0; fi
        sleep 0.2
    done
    return 1
}
bounds() { "$cli" info "$1" | grep '^bounds'; }

# 1. Edit, let the autosave run, kill -9, start again and recover.
start doc.plx "$work/doc.plx"
xdotool key --clearmodifiers ctrl+a ctrl+Right ctrl+Right ctrl+Up
copy="$folder/plumex-$pid.plx"
await_copy "$copy" || fail "no recovery copy after the autosave period"
sleep 0.5
"$cli" info "$copy" >"$work/copy.info" || fail "plumex-cli cannot read the recovery copy"
[ "$(bounds "$copy")" != "$(bounds "$work/doc.plx")" ] || fail "the copy lacks the edit"
grep -qx "$work/doc.plx" "$copy.info" || fail "the info file does not name the original"
kill -9 "$pid"
wait "$pid" 2>/dev/null
cp "$copy" "$work/killed.plx"

start "Recover Unsaved Drawings"
dialog=$window
sleep 0.5
[ -n "${PLUMEX_RECOVERY_SHOT:-}" ] && import -window root "$PLUMEX_RECOVERY_SHOT" 2>/dev/null
xdotool key --clearmodifiers Return
for _ in $(seq 1 50); do
    name=$(xdotool getwindowname "$(xdotool search --onlyvisible --pid "$pid" --name 'doc.plx' | head -1)" 2>/dev/null)
    [ -n "$name" ] && break
    sleep 0.2
done
case "$name" in *doc.plx*) ;; *) fail "the recovered window is not titled after the original: '$name'" ;; esac
window=$(xdotool search --onlyvisible --pid "$pid" --name 'doc.plx' | head -1)
xdotool windowfocus --sync "$window"
# Save asks where: the recovered drawing is untitled.
xdotool key --clearmodifiers ctrl+s
sleep 1.5
xdotool type --delay 20 "$work/recovered.plx"
xdotool key --clearmodifiers Return
for _ in $(seq 1 50); do [ -s "$work/recovered.plx" ] && break; sleep 0.2; done
[ -s "$work/recovered.plx" ] || fail "Save after Recover wrote nothing"
# The view centre follows the new window's size; the paths and the rest must be the copy's.
paths() { "$cli" info "$1" | grep -v '^view centre'; "$cli" pov "$1"; }
diff <(paths "$work/killed.plx") <(paths "$work/recovered.plx") ||
    fail "the recovered drawing differs from the copy"
cmp -s "$work/doc.plx" "$work/pristine.plx" || fail "the original file was changed"
sleep 0.5
[ ! -e "$copy" ] || fail "the recovered copy was not removed after the save"
[ ! -e "$folder/plumex-$pid.plx" ] || fail "the save left this editor's copy"
kill -9 "$pid"
wait "$pid" 2>/dev/null

# 2. SIGSEGV right after an edit: the copy has that edit, though no autosave wrote it.
start doc.plx "$work/doc.plx"
xdotool key --clearmodifiers ctrl+a ctrl+Right
copy="$folder/plumex-$pid.plx"
await_copy "$copy" || fail "no recovery copy before the crash"
sleep 0.5
cp "$copy" "$work/before-crash.plx"
xdotool key --clearmodifiers ctrl+Down
sleep 0.8
kill -SEGV "$pid"
wait "$pid" 2>/dev/null
status=$?
[ "$status" -eq $((128 + 11)) ] || fail "SIGSEGV did not end the editor by the signal ($status)"
"$cli" info "$copy" >/dev/null || fail "the crash copy is not readable"
[ "$(bounds "$copy")" != "$(bounds "$work/before-crash.plx")" ] || fail "the crash copy lacks the last edit"
grep -q "^pid $pid\$" "$copy.info" || fail "the crash info file does not name the editor"
rm -f "$folder"/*

# 3. A full recovery folder: the previous copy stays, the window keeps working.
if [ "$(id -u)" = 0 ] && mkdir -p "$work/small" && mount -t tmpfs -o size=64k tmpfs "$work/small" 2>/dev/null; then
    mounted="$work/small"
    export XDG_STATE_HOME="$work/small"
    folder="$XDG_STATE_HOME/plumex/recovery"
    start doc.plx "$work/doc.plx"
    xdotool key --clearmodifiers ctrl+a ctrl+Right
    copy="$folder/plumex-$pid.plx"
    await_copy "$copy" || fail "no copy on the small disk"
    sleep 0.5
    cp "$copy" "$work/last-good.plx"
    windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
    shown=$(windows)
    dd if=/dev/zero of="$work/small/filler" bs=1k count=1000 2>/dev/null
    xdotool key --clearmodifiers ctrl+Right
    sleep 5
    cmp -s "$copy" "$work/last-good.plx" || fail "a failed autosave damaged the previous copy"
    kill -0 "$pid" || fail "the editor ended on a full disk"
    [ "$(windows)" = "$shown" ] || fail "a window came up on the full disk"
    [ -n "${PLUMEX_RECOVERY_SHOT:-}" ] && import -window root "${PLUMEX_RECOVERY_SHOT%.png}-full.png" 2>/dev/null
    rm -f "$work/small/filler"
    xdotool key --clearmodifiers ctrl+Right
    await_copy "$copy" "$work/last-good.plx" || fail "no copy once the disk had room again"
    echo "recovery: full disk checked"
fi
echo "recovery: recovered after kill -9, crash copy after SIGSEGV"
