# The arcade as a web page, built with Emscripten (./web runs it): the game's library with the
# browser's back end in place of the desktop's, the arcade's web entry point, and the content
# packed into one data file the page preloads. Included by the top-level CMakeLists.txt when
# the compiler is Emscripten's.

set(BRAWLER_WEB_DATA "${CMAKE_SOURCE_DIR}/data" CACHE PATH "The content folder packed into the page")

file(GLOB_RECURSE BRAWLER_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
list(FILTER BRAWLER_CORE_SOURCES EXCLUDE REGEX "src/(arcade_|lobby_)?(web_)?main\\.cpp$")
# The desktop's back end: SDL's window, desktop GL, SDL_mixer and the Vorbis check before it,
# and the endpoints of ENet and libwebsockets (a page has no UDP: it plays online through a
# lobby's WebSocket, which web_websocket_net.cpp opens with the browser's own). The lobby's
# server stays on the desktop.
list(FILTER BRAWLER_CORE_SOURCES EXCLUDE REGEX "src/platform/(sdl_system|gl_graphics|sdl_mixer_audio|audio_file_check|enet_net|websocket_net)\\.cpp$")
list(FILTER BRAWLER_CORE_SOURCES EXCLUDE REGEX "src/net/lobby/lobby(_program|_addresses)?\\.cpp$")

# stb_image comes from Debian's libstb-dev; only its header is taken, beside the build, so
# that the host's other headers stay out of the browser's build.
find_file(BRAWLER_STB_IMAGE stb/stb_image.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
configure_file(${BRAWLER_STB_IMAGE} ${CMAKE_BINARY_DIR}/stb-include/stb/stb_image.h COPYONLY)

add_library(brawler_core STATIC ${BRAWLER_CORE_SOURCES})
target_include_directories(brawler_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_include_directories(brawler_core SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/stb-include)
target_compile_options(brawler_core PRIVATE -Wall -Wextra)

# The replay tool's library, for the page's replays and its test-only online fights.
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/replay ${CMAKE_BINARY_DIR}/replay)

# The page's replays: the golden fights, without their digests.
file(GLOB BRAWLER_WEB_REPLAYS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/replays/*.replay)
file(GLOB_RECURSE BRAWLER_WEB_CONTENT CONFIGURE_DEPENDS ${BRAWLER_WEB_DATA}/*)

add_executable(brawler-arcade ${CMAKE_SOURCE_DIR}/src/arcade_web_main.cpp)
target_link_libraries(brawler-arcade PRIVATE brawler_core brawler_replay)
set_target_properties(brawler-arcade PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# WebGL 2 where the browser has it, 1 elsewhere; IndexedDB behind the player's folders (the page
# mounts it); the game's fixed tables alone take about
# 122 MiB, and the heap grows from there as stages load their sheets; exit() ends the runtime so
# the page hears of it; SDL 1.x is Emscripten's own (no ports).
target_link_options(brawler-arcade PRIVATE
  -sMAX_WEBGL_VERSION=2 -sINITIAL_MEMORY=160MB -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=web
  -lidbfs.js -lwebsocket.js
  "SHELL:--preload-file ${BRAWLER_WEB_DATA}@/"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/tests/replays@/replays"
  "SHELL:--exclude-file *.digest")
set_property(TARGET brawler-arcade APPEND PROPERTY LINK_DEPENDS ${BRAWLER_WEB_CONTENT} ${BRAWLER_WEB_REPLAYS})

# The page around the game, what installs it to a home screen, and the service worker that keeps
# all of it for starting offline, which names the build after every file's digest: built by the
# target brawler-page, after the game.
set(BRAWLER_PAGE_SOURCES index.html manifest.webmanifest icons/icon-192.png icons/icon-512.png)
set(BRAWLER_PAGE_COPIES "")
foreach(source ${BRAWLER_PAGE_SOURCES})
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/tools/web/${source} ${CMAKE_BINARY_DIR}/${name}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/web/${source})
  list(APPEND BRAWLER_PAGE_COPIES ${CMAKE_BINARY_DIR}/${name})
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/service-worker.js
  COMMAND ${CMAKE_COMMAND} -D FOLDER=${CMAKE_BINARY_DIR} -D TEMPLATE=${CMAKE_SOURCE_DIR}/tools/web/service-worker.js
          -P ${CMAKE_SOURCE_DIR}/tools/web/build_hash.cmake
  DEPENDS brawler-arcade ${BRAWLER_PAGE_COPIES} ${CMAKE_SOURCE_DIR}/tools/web/service-worker.js
          ${CMAKE_SOURCE_DIR}/tools/web/build_hash.cmake)
add_custom_target(brawler-page ALL DEPENDS ${CMAKE_BINARY_DIR}/service-worker.js)
