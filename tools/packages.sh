# Debian packages the game needs, shared by ./play and ./test. Sourced, not run.
BRAWLER_BUILD_PACKAGES="build-essential cmake pkg-config libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libgl1-mesa-dev libgl1-mesa-dri libpng-dev libvorbis-dev libogg-dev libstb-dev libenet-dev"
BRAWLER_TEST_PACKAGES="libgtest-dev libbenchmark-dev xvfb x11-utils xdotool libx11-dev"
# tools/take-screenshots drives the real window and grabs it.
BRAWLER_SCREENSHOT_PACKAGES="xvfb x11-utils xdotool imagemagick"

# Installs whichever of the given packages are missing; needs root (or sudo) only when something is.
brawler_install_missing() {
  local missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}
