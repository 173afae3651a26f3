#!/usr/bin/env bash
# Starts the real updater on a virtual X display with a fresh program folder whose
# "update.cfg" names a version file on a loopback server offering a newer version;
# waits until the updater has fetched it and shows its notice, saves a picture of the
# display as update_start.png in the artefact folder, then ends the updater through
# its window class (UM_QUIT_UPDATER) and checks that it ended with 0.
# update_start_test.sh <update> <grab_display> <default artefact folder>
set -euo pipefail
program=$1 grab=$2
artefacts=${QUENDRA_TEST_ARTEFACTS:-$3}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian xvfb)"; exit 77; }
command -v python3 >/dev/null || { echo "python3 is missing"; exit 77; }

work=$(mktemp -d)
server=
cleanup() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/runtime" "$work/site" "$artefacts"
chmod 700 "$work/runtime"

# A loopback server on a port the system picks, which it writes down.
python3 -c '
import functools, http.server, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
with open(sys.argv[2], "w") as port:
    port.write(str(server.server_address[1]))
server.serve_forever()
' "$work/site" "$work/port" 2>"$work/requests.log" &
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
[ -s "$work/port" ] || { echo "the loopback server did not start"; exit 1; }
site="http://127.0.0.1:$(cat "$work/port")"
printf '[UPDATE]\nURL=%s/update.ini\nVersion=1.0\n' "$site" >"$work/home/update.cfg"
printf '[UPDATE]\nVersion=2.0\nURL=%s/update.zip\nMD5=00112233445566778899AABBCCDDEEFF\nMessage=%s\n' \
  "$site" "节目编辑更快^修复了若干问题" >"$work/site/update.ini"

export QUENDRA_HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb GRAB=$grab PROGRAM=$program SHOT=$artefacts/update_start.png
export LOG=$work/requests.log

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$PROGRAM" & pid=$!
  socket="$XDG_RUNTIME_DIR/Quendra6 Update"
  for _ in $(seq 100); do grep -q "GET /update.ini" "$LOG" && break; sleep 0.1; done
  grep -q "GET /update.ini" "$LOG" || { echo "no version check"; kill $pid; exit 1; }
  sleep 1.5  # the notice comes up and paints
  "$GRAB" "$SHOT" || { echo "no picture of the display"; kill $pid; exit 1; }
  python3 -c "
import socket, struct, sys
s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
s.sendall(b\"KQM1\" + struct.pack(\"<Iii\", 1060, 0, 0))
s.close()
" "$socket"
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "the updater did not quit"; kill $pid; exit 1; fi
  wait $pid
'
[ -s "$SHOT" ]
echo "picture: $SHOT"
