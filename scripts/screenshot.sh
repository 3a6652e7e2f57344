#!/usr/bin/env bash
# Takes a screenshot of the program's main window with a few accounts, on a
# virtual X server, for the README.
#   scripts/screenshot.sh [OUTPUT.png]     (default: docs/screenshot.png)
# Needs a built tree (BUILD_DIR, default "build") and the packages xvfb, xauth,
# imagemagick, xdotool and openbox (scripts/install-deps.sh installs them). The
# window opens as at a first start, on a fresh settings folder, under a window
# manager, so the picture shows the size the program chooses itself.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
output="${1:-$root/docs/screenshot.png}"
program="$build/ledgerkeeper"
cli="$build/ledgerkeeper-cli"
for tool in "$program" "$cli"; do
    [ -x "$tool" ] || { echo "missing $tool: build first (make build)" >&2; exit 1; }
done

work="$(mktemp -d /tmp/ledgerkeeper-shot.XXXXXX)"
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A private product folder and settings, never the user's own.
export LEDGERKEEPER_HOME="$work/home"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
export LEDGERKEEPER_UPDATE_URL=off
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

add() { "$cli" add --yes "$@" >/dev/null; }
add --name "Mailbox" --url "https://mail.example.com/login" --user "alice" --password "m4il-S3cret" \
    --comment "Main mail account"
add --name "Bank of Example" --url "https://bank.example.com" --user "alice.smith" --id "40-1234-5678" \
    --password "correct horse battery" --comment "Online banking; card PIN is not kept here."
add --name "Cloud Storage" --url "https://files.example.net" --user "alice@example.com" --password "cl0ud!"
add --name "News Forum" --url "forum.example.org" --user "asmith" --password "forum-2024"
add --name "Photo Share" --url "https://photos.example.com" --user "alice" --password "pics&more"
add --name "Shop" --url "https://shop.example.com/account" --id "C-778812" --password "buy-buy-buy"
add --name "Travel Club" --url "https://travel.example.com" --user "alice.s" --id "TC-0042" --password "away"
for i in 1 2 3 4 5; do "$cli" login "Mailbox" --no-open >/dev/null; done
for i in 1 2 3; do "$cli" login "Bank of Example" --no-open >/dev/null; done
"$cli" login "Shop" --no-open >/dev/null

display=":$(( (RANDOM % 400) + 100 ))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# A window manager places and frames the window as on a desktop.
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    sleep 0.5
fi

QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
app_pid=$!
window="$(xdotool search --sync --onlyvisible --name '^LedgerKeeper' | head -n 1)"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# From the Account box, where the focus starts: F6 to the Frequency tree, then
# Down twice opens its second account.
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key F6 Down Down
sleep 0.5
# The pointer out of the way, so that no tooltip covers the form.
xdotool mousemove --window "$window" 5 "$((HEIGHT - 5))"
sleep 0.5

mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
