# Shared by scripts/run and scripts/test: installs what is missing.
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ccache keys compiler outputs by paths relative to the clone, so that a clone in another
# folder (a CI run's) reuses what an earlier build compiled.
export CCACHE_BASEDIR=$repo_root CCACHE_NOHASHDIR=true

install_packages() {
  local wanted missing=()
  mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$repo_root/scripts/packages.txt")
  for package in "${wanted[@]}"; do
    # Node.js from outside Debian carries its own npm, and refuses Debian's.
    [ "$package" = npm ] && command -v npm >/dev/null && continue
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages (run as root to install them): ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# configure_and_build FOLDER TARGET [cmake options...]
configure_and_build() {
  local folder=$1 target=$2
  shift 2
  cmake -S "$repo_root" -B "$repo_root/$folder" -G Ninja "$@" >/dev/null
  cmake --build "$repo_root/$folder" --parallel "$(nproc)" --target "$target"
}

# The release tree scripts/run starts the program from: build-release/bin is a complete
# program folder (the programs, their libraries and helpers, the language and data files).
build_program_folder() {
  [ -x "$repo_root/build-release/bin/Quendra" ] ||
    echo "Building the program folder build-release/bin for the first time: a few minutes."
  configure_and_build build-release deliverables -DCMAKE_BUILD_TYPE=Release -DQUENDRA_BENCH=OFF
}

# The Flash emulator Ruffle, pinned, from the npm registry into build-deps/ruffle; the
# build copies it beside the program. Fetched once; nothing is fetched at run time.
ruffle_version=0.6.0
fetch_ruffle() {
  local prefix=$repo_root/build-deps/ruffle
  local package=$prefix/node_modules/@ruffle-rs/ruffle/package.json
  grep -q "\"version\":\"$ruffle_version\"" "$package" 2>/dev/null && return 0
  echo "Fetching Ruffle $ruffle_version"
  npm install --prefix "$prefix" --no-save --no-audit --no-fund --ignore-scripts \
    --loglevel=error "@ruffle-rs/ruffle@$ruffle_version"
}

# Fails, listing them, when tracked C++ files are not as .clang-format writes them.
check_format() {
  local files
  mapfile -t files < <(git -C "$repo_root" ls-files '*.cpp' '*.h' '*.c')
  [ ${#files[@]} -eq 0 ] && return 0
  (cd "$repo_root" && clang-format --dry-run --Werror "${files[@]}")
}
