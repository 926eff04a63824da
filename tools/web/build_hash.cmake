# Run after the page is linked (cmake -P): lists the page's files with their SHA-256 into its
# service worker, and names the build after all of them together, so that any change to any file
# makes a new build the browser replaces the old one with.
#   -D FOLDER=the web build's folder  -D TEMPLATE=service-worker.js's template
set(BRAWLER_PAGE_FILES index.html brawler-arcade.js brawler-arcade.wasm brawler-arcade.data
    manifest.webmanifest icon-192.png icon-512.png)
set(listing "")
set(entries "")
foreach(name ${BRAWLER_PAGE_FILES})
  file(SHA256 "${FOLDER}/${name}" digest)
  string(APPEND listing "${name} ${digest}\n")
  list(APPEND entries "['${name}', '${digest}']")
endforeach()
string(SHA256 build "${listing}")
string(SUBSTRING "${build}" 0 16 BRAWLER_WEB_BUILD)
list(JOIN entries ",\n  " joined)
set(BRAWLER_WEB_FILES "[\n  ${joined},\n]")
configure_file("${TEMPLATE}" "${FOLDER}/service-worker.js" @ONLY)
