# Installs the build into a folder of its own and runs the installed
# qvmap-cli as a player with an empty home folder would: it must find the
# installed sample universe and work from the player's own folder.
# Called as: cmake -DSOURCE=<source dir> -DBUILD=<build dir> -DWORK=<scratch dir>
#                  -P InstallCheck.cmake
if(NOT EXISTS ${BUILD}/bin/qvmap-cli OR NOT EXISTS ${BUILD}/qvmap-cli.1)
  message("qvmap-cli or its man page is not built: skipped")
  return()
endif()
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/usr)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/QVMap bin/qvmap-cli share/qvmap/Data/sectors.cds share/qvmap/English.LNG
             share/qvmap/Deutsch.LNG share/applications/qvmap.desktop
             share/icons/hicolor/scalable/apps/qvmap.svg share/icons/hicolor/48x48/apps/qvmap.png
             share/icons/hicolor/256x256/apps/qvmap.png share/man/man1/qvmap-cli.1)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

set(home ${WORK}/home)
file(MAKE_DIRECTORY ${home})
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME --unset=XDG_CONFIG_HOME
                        HOME=${home} ${prefix}/bin/qvmap-cli tables
                OUTPUT_VARIABLE installed RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed qvmap-cli failed: ${errors}")
endif()
# The same tables as the shipped sample universe.
file(COPY ${SOURCE}/Data DESTINATION ${WORK}/sample)
execute_process(COMMAND ${BUILD}/bin/qvmap-cli --home ${WORK}/sample tables
                OUTPUT_VARIABLE sample)
if(NOT installed STREQUAL sample)
  message(FATAL_ERROR "the installed universe differs:\n${installed}\nfrom the sample:\n${sample}")
endif()
foreach(file .local/share/qvmap/Data/sectors.cds .local/share/qvmap/English.LNG .config/qvmap)
  if(NOT EXISTS ${home}/${file})
    message(FATAL_ERROR "the first start did not make ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
