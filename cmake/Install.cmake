# Installing QVMap like a desktop program: the executables in bin/, the sample
# universe and the language files in share/qvmap/ (copied into the player's
# own folder at the first start), a desktop entry with its icon, the man page
# of qvmap-cli, and a Debian package made of all of it by CPack:
#   cmake --install build            (to CMAKE_INSTALL_PREFIX, /usr/local)
#   cd build && cpack -G DEB         (qvmap_<version>_amd64.deb)
set(QV_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/desktop)
set(QV_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/qvmap)
set(QV_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The man page is written from the text of qvmap-cli --help, so that the two
# never tell different things.
set(QV_MAN_PAGE ${CMAKE_BINARY_DIR}/qvmap-cli.1)
add_custom_command(OUTPUT ${QV_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:qvmap-cli> -DOUT=${QV_MAN_PAGE}
          -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
  DEPENDS qvmap-cli ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
  COMMENT "Writing the man page of qvmap-cli")
add_custom_target(qv_man_page ALL DEPENDS ${QV_MAN_PAGE})

install(TARGETS QVMap qvmap-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB QV_SAMPLE_TABLES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Data/*.cds)
file(GLOB QV_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.LNG)
install(FILES ${QV_SAMPLE_TABLES} DESTINATION ${QV_SHARE_DIR}/Data)
install(FILES ${QV_LANGUAGE_FILES} DESTINATION ${QV_SHARE_DIR})
install(FILES ${QV_DESKTOP_DIR}/qvmap.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_DESKTOP_DIR}/qvmap.svg DESTINATION ${QV_ICON_DIR}/scalable/apps)
install(FILES ${QV_DESKTOP_DIR}/qvmap-48.png DESTINATION ${QV_ICON_DIR}/48x48/apps
        RENAME qvmap.png)
install(FILES ${QV_DESKTOP_DIR}/qvmap-256.png DESTINATION ${QV_ICON_DIR}/256x256/apps
        RENAME qvmap.png)
install(FILES ${QV_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/qvmap)

# Checks of what is installed, quick enough for every test run.
find_program(QV_DESKTOP_FILE_VALIDATE desktop-file-validate)
if(QV_DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry_valid
           COMMAND ${QV_DESKTOP_FILE_VALIDATE} ${QV_DESKTOP_DIR}/qvmap.desktop)
endif()
add_test(NAME install_runs_from_user_folder
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DBUILD=${CMAKE_BINARY_DIR}
                 -DWORK=${CMAKE_BINARY_DIR}/install-check -P ${CMAKE_SOURCE_DIR}/cmake/InstallCheck.cmake)
set_tests_properties(install_runs_from_user_folder PROPERTIES SKIP_REGULAR_EXPRESSION "not built: skipped")

# The Debian package. Its dependencies come from the shared libraries the
# executables link (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qvmap)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "QVMap maintainers <maintainers@qvmap.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "map and economy calculator for the space trading game Quorvane")
set(CPACK_PACKAGE_DESCRIPTION
    "QVMap keeps a small database of the Quorvane universe (sectors, races, gates, stations, \
factory and product types, the factories in each sector), draws the universe map and saves it \
as BMP, PNG or SVG, shows where products are made or needed, and calculates the profit of a \
factory and of a complex of factories; its planner finds the factories that make given \
products. qvmap-cli does the same without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The map's fonts (metric twins of Arial) and the Qt dialogs in German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
include(CPack)
