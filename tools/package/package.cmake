# Where `cmake --install` puts the game, and the Debian package CPack makes of that (./package).
# Included at the very end of the top-level CMakeLists.txt, once every program is defined.
#
# Under the prefix: the programs in games/, the content pack in share/games/brawler (which the
# programs find from their own folder), desktop entries, icons, the AppStream metainfo, the
# manual pages and the package's copyright and changelog.

set(BRAWLER_PACKAGE_DIR ${CMAKE_SOURCE_DIR}/tools/package)
# The day this version was released, for the metainfo and the changelog: moves with the number.
set(BRAWLER_RELEASE_DATE 2026-12-08)
set(BRAWLER_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 00:00:00 +0000")
# The AppStream id: the name software centres know the game by, never to change once shipped.
set(BRAWLER_APP_ID io.github.brawlergame.Brawler)
set(BRAWLER_PACKAGE_MAINTAINER "The Brawler developers <brawler@brawlergame.github.io>"
    CACHE STRING "Who the Debian package names as its maintainer")
set(BRAWLER_CONTENT_INSTALL_DIR share/games/brawler)

# Every program a player or a content author runs. The lobby server is installed when the
# build has it.
set(BRAWLER_INSTALLED_PROGRAMS brawler brawler-arcade brawler-check brawler-replay brawler-preview brawler-lobby)
foreach(program ${BRAWLER_INSTALLED_PROGRAMS})
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION games)
  endif()
endforeach()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${BRAWLER_CONTENT_INSTALL_DIR})

install(FILES ${BRAWLER_PACKAGE_DIR}/brawler-arcade.desktop ${BRAWLER_PACKAGE_DIR}/brawler-preview.desktop
        DESTINATION share/applications)
configure_file(${BRAWLER_PACKAGE_DIR}/brawler.metainfo.xml.in ${CMAKE_BINARY_DIR}/package/${BRAWLER_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/${BRAWLER_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# Everything the install rules take, for ./package to build without the tests.
add_custom_target(brawler_installed)
foreach(program ${BRAWLER_INSTALLED_PROGRAMS})
  if(TARGET ${program})
    add_dependencies(brawler_installed ${program})
  endif()
endforeach()

# The icons: the content generator paints them from the title's art at every size of the theme.
set(BRAWLER_ICON_SIZES 16 22 24 32 48 64 128 256)
set(BRAWLER_ICON_ROOT ${CMAKE_BINARY_DIR}/package/icons)
set(BRAWLER_ICONS "")
foreach(size ${BRAWLER_ICON_SIZES})
  list(APPEND BRAWLER_ICONS ${BRAWLER_ICON_ROOT}/hicolor/${size}x${size}/apps/brawler.png)
endforeach()
add_custom_command(OUTPUT ${BRAWLER_ICONS}
  COMMAND $<TARGET_FILE:brawler-content-gen> ${BRAWLER_ICON_ROOT} icons
  DEPENDS brawler-content-gen
  COMMENT "Painting the desktop icons")
add_custom_target(brawler_icons ALL DEPENDS ${BRAWLER_ICONS})
add_dependencies(brawler_installed brawler_icons)
install(DIRECTORY ${BRAWLER_ICON_ROOT}/hicolor DESTINATION share/icons)

# The manual pages, written in scdoc's markup in docs/man and turned into compressed roff.
# Without scdoc they are left out (and said to be); the package needs them.
find_program(BRAWLER_SCDOC scdoc)
file(GLOB BRAWLER_MAN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.6.scd)
set(BRAWLER_MAN_PAGES "")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package/man)
if(BRAWLER_SCDOC)
  foreach(source ${BRAWLER_MAN_SOURCES})
    get_filename_component(page ${source} NAME_WLE)
    set(out ${CMAKE_BINARY_DIR}/package/man/${page}.gz)
    # -n: no name or time in the gzip header, so the same page makes the same bytes.
    add_custom_command(OUTPUT ${out}
      COMMAND sh -c "\"$0\" < \"$1\" | gzip -9n > \"$2\"" ${BRAWLER_SCDOC} ${source} ${out}
      DEPENDS ${source}
      COMMENT "Writing the manual page ${page}"
      VERBATIM)
    list(APPEND BRAWLER_MAN_PAGES ${out})
  endforeach()
  add_custom_target(brawler_manuals ALL DEPENDS ${BRAWLER_MAN_PAGES})
  add_dependencies(brawler_installed brawler_manuals)
  install(FILES ${BRAWLER_MAN_PAGES} DESTINATION share/man/man6)
else()
  message(STATUS "scdoc not found: the manual pages are not built (apt-get install scdoc)")
endif()

# What Debian asks of every package: its copyright and its changelog, compressed alike.
configure_file(${BRAWLER_PACKAGE_DIR}/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${CMAKE_BINARY_DIR}/package/changelog ${CMAKE_BINARY_DIR}/package/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  VERBATIM)
add_custom_target(brawler_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
add_dependencies(brawler_installed brawler_changelog)
install(FILES ${BRAWLER_PACKAGE_DIR}/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION share/doc/brawler)

# The Debian package. Its dependencies are read off the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brawler)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brawler developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player side-scrolling beat-'em-up")
set(CPACK_PACKAGE_DESCRIPTION "Walk, run and jump along streets seen from the side, chain attacks into
combos, knock thugs, crates and oil drums about, and face a boss at the end
of every stage. The arcade runs from the title through two worlds of three
stages each; play alone, two at one machine, or two on two machines.
.
Also in the package: the content checker, the stage preview with its
workbench for content authors, and the replay tool that records and replays
fights exactly.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BRAWLER_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The package is made from what is installed, never from the build folder: an install that
# does not build first keeps the package step from building anything behind the caller's back.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

# The package's tests: it is made and unpacked once, then looked at and run from there. The
# sanitizer build leaves them out: its programs are not the ones a package ships.
if(NOT BRAWLER_SANITIZE)
  set(BRAWLER_PACKAGE_TEST_DIR ${CMAKE_BINARY_DIR}/package-test)
  add_test(NAME PackageMade
    COMMAND ${BRAWLER_PACKAGE_DIR}/make-deb ${CMAKE_BINARY_DIR} ${BRAWLER_PACKAGE_TEST_DIR}
            --unpack ${BRAWLER_PACKAGE_TEST_DIR}/root)
  set_tests_properties(PackageMade PROPERTIES FIXTURES_SETUP brawler_package TIMEOUT 300)
  gtest_discover_tests(brawler_tests DISCOVERY_TIMEOUT 60 TEST_FILTER "InstalledPackage.*"
    PROPERTIES TIMEOUT 300 PASS_REGULAR_EXPRESSION "${BRAWLER_PASS_REGEX}" FIXTURES_REQUIRED brawler_package)
endif()
