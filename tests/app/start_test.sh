#!/usr/bin/env bash
# Starts the real main program on a virtual X display, waits until its main window serves
# the window class "Quendra6" and the updater it started serves "Quendra6 Update", saves a
# picture of the display during the splash window and one of the main window after it in
# the artefact folder, checks that the main window's menu bar shows its texts, and ends
# both programs. A start that plays no video has none of FFmpeg's libraries mapped.
#   start_test.sh <Quendra> <grab_display> <language folder> <default artefact folder>
# runs the program of a build tree in a fresh program folder that holds the language files
# and the built updater (quendra_start.png, quendra_splash.png);
#   start_test.sh --program-folder <build tree> <grab_display> <default artefact folder>
# first checks that the tree's bin/ holds every file program_folder.list names, then runs
# a copy of that folder as a user's installation, with nothing else
# (program_folder_start.png, program_folder_splash.png).
set -euo pipefail
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian xvfb)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"

if [ "$1" = --program-folder ]; then
  tree=$2 grab=$3 artefacts=${QUENDRA_TEST_ARTEFACTS:-$4} name=program_folder
  missing=0
  while IFS= read -r file; do
    [ -e "$file" ] || { echo "the program folder lacks $file"; missing=1; }
  done <"$tree/program_folder.list"
  [ $missing -eq 0 ] || exit 1
  cp -a "$tree/bin" "$work/home"
  program=$work/home/Quendra
  unset QUENDRA_HOME
else
  program=$1 grab=$2 artefacts=${QUENDRA_TEST_ARTEFACTS:-$4} name=quendra
  mkdir -p "$work/home"
  cp -r "$3" "$work/home/language"
  ln -s "$(dirname "$program")/update" "$work/home/update"  # it finds its libraries there
  export QUENDRA_HOME=$work/home
fi
mkdir -p "$artefacts"
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data
export QT_QPA_PLATFORM=xcb GRAB=$grab PROGRAM=$program
export SHOT=$artefacts/${name}_start.png SPLASH_SHOT=$artefacts/${name}_splash.png
export MENU_SHOT=$artefacts/${name}_window.png

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
  # The menu bar is the top strip of the main window: its texts leave dark pixels in the
  # first ten rows, where an empty bar and the toolbar below it leave none.
  window=$(xwininfo -root -tree | awk '"'"'/"Quendra"/ { print $1; exit }'"'"')
  ink=$("$GRAB" "$MENU_SHOT" "${window:-0}" 10 || echo 0)
  kill $pid; wait $pid || true
  kill "$(head -n 1 "$updater.lock")"  # its lock file names it
  [ "${ink:-0}" -ge 100 ] || { echo "the menu bar shows no texts ($ink dark pixels)"; exit 1; }
'
[ -s "$SPLASH_SHOT" ] && [ -s "$SHOT" ] && [ -f "$work/home/setting.cfg" ] && [ -d "$work/home/Temp" ]
echo "pictures: $SPLASH_SHOT $SHOT $MENU_SHOT"
