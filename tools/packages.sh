# Debian packages the game needs, shared by ./play and ./test. Sourced, not run.
# Configuring the project asks for GoogleTest and X11's headers too, though ./play builds no test.
BRAWLER_BUILD_PACKAGES="build-essential cmake pkg-config libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libgl1-mesa-dev libgl1-mesa-dri libpng-dev libvorbis-dev libogg-dev libstb-dev libenet-dev libwebsockets-dev libgtest-dev libx11-dev"
# The home routers test builds its routers with iproute2 and nftables and checks them with a
# few datagrams from Python.
BRAWLER_TEST_PACKAGES="libgtest-dev libbenchmark-dev xvfb x11-utils xdotool libx11-dev iproute2 nftables python3"
# ./web builds the arcade for the browser with Debian's Emscripten (whose JavaScript optimizer
# needs Node and Debian's acorn); libstb-dev gives it the PNG decoder.
BRAWLER_WEB_PACKAGES="emscripten nodejs node-acorn libstb-dev cmake python3"
# The browser test drives Debian's Chromium from Node through puppeteer-core (tools/web), which
# npm installs; npm comes with some Node packages and is Debian's own package otherwise.
BRAWLER_BROWSER_PACKAGES="chromium"
# ./package makes the Debian package with CPack (dpkg-shlibdeps reads the programs' libraries),
# scdoc writes the manual pages and lintian checks the result.
BRAWLER_PACKAGE_PACKAGES="dpkg-dev file scdoc lintian"
# The package's own tests also validate its desktop entries and metainfo and render its pages.
BRAWLER_PACKAGE_TEST_PACKAGES="$BRAWLER_PACKAGE_PACKAGES desktop-file-utils appstream man-db"
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

# Builds the arcade's web page (the game, the page, its manifest, icons and service worker) into build-web/ (incrementally, from the second time on),
# packing the content folder $1. Needs `here`, the project root.
brawler_web_build() {
  local build="$here/build-web"
  # Emscripten's JavaScript optimizer finds Debian's acorn only here.
  export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
  local launcher=""
  command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  emcmake cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRAWLER_WEB_DATA="$1" $launcher >/dev/null
  cmake --build "$build" -j"$(nproc)" --target brawler-page
}
