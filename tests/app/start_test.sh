#!/usr/bin/env bash
# Starts the real main program on a virtual X display with a fresh program folder that
# holds the built updater, waits until its main window serves the window class
# "Quendra6" and the updater it started serves "Quendra6 Update", saves a picture of
# the display during the splash window as quendra_splash.png and one of the main
# window after it as quendra_start.png in the artefact folder and ends both programs.
# A start that plays no video has none of FFmpeg's libraries mapped.
# start_test.sh <Quendra> <grab_display> <language folder> <default artefact folder>
set -euo pipefail
program=$1 grab=$2 languages=$3
artefacts=${QUENDRA_TEST_ARTEFACTS:-$4}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian xvfb)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/runtime" "$artefacts"
chmod 700 "$work/runtime"
cp -r "$languages" "$work/home/language"
ln -s "$(dirname "$program")/update" "$work/home/update"  # it finds its libraries there
export QUENDRA_HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data
export QT_QPA_PLATFORM=xcb GRAB=$grab PROGRAM=$program SHOT=$artefacts/quendra_start.png
export SPLASH_SHOT=$artefacts/quendra_splash.png

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$PROGRAM" & pid=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/Quendra6" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/Quendra6" ] || { echo "the main window did not come up"; kill $pid; exit 1; }
  updater="$XDG_RUNTIME_DIR/Quendra6 Update"
  for _ in $(seq 50); do [ -S "$updater" ] && break; sleep 0.1; done
  [ -S "$updater" ] || { echo "the updater did not come up"; kill $pid; exit 1; }
  sleep 1  # let the splash paint; it holds for 3 s
  "$GRAB" "$SPLASH_SHOT" || { echo "no picture of the splash"; kill $pid; exit 1; }
  sleep 4  # the splash fades and the main window paints
  if grep -qE "/lib(avcodec|avformat|avutil|swscale)[.]so" "/proc/$pid/maps"; then
    echo "FFmpeg is mapped, though no video plays"; kill $pid; exit 1
  fi
  "$GRAB" "$SHOT" || { echo "no picture of the display"; kill $pid; exit 1; }
  kill $pid; wait $pid || true
  kill "$(head -n 1 "$updater.lock")"  # its lock file names it
'
[ -s "$SPLASH_SHOT" ] && [ -s "$SHOT" ] && [ -f "$work/home/setting.cfg" ] && [ -d "$work/home/Temp" ]
echo "pictures: $SPLASH_SHOT $SHOT"
