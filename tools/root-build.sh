# Sourced by the commands at the project root (./play, ./check, ./preview): installs whatever is
# missing and builds the named targets, Release, into build-release/ (or into the folder that
# BRAWLER_BUILD_DIR names, which a build made elsewhere can be reused from). Build output goes to
# standard error, so that a command's own output stays clean for scripts.
# Needs `here`, the project root.
. "$here/tools/packages.sh"
brawler_build_dir="$(realpath -m "${BRAWLER_BUILD_DIR:-$here/build-release}")"

brawler_build() {
  brawler_install_missing $BRAWLER_BUILD_PACKAGES
  if [ ! -f "$brawler_build_dir/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$brawler_build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  for target in "$@"; do
    cmake --build "$brawler_build_dir" --target "$target" -j"$(nproc)" >&2
  done
}

# The arguments in brawler_args, with the file after --settings or --scores made absolute: the
# programs run in data/, and a file named from where the command was started belongs there.
brawler_absolute_files() {
  brawler_args=()
  while [ $# -gt 0 ]; do
    if { [ "$1" = "--settings" ] || [ "$1" = "--scores" ]; } && [ $# -gt 1 ]; then
      brawler_args+=("$1" "$(realpath -m "$2")")
      shift 2
    else
      brawler_args+=("$1")
      shift
    fi
  done
}
