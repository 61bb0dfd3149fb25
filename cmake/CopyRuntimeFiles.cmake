# Copies the sample universe and the language files beside the executables.
# Called as: cmake -DSRC=<source dir> -DDST=<bin dir> -P CopyRuntimeFiles.cmake
file(MAKE_DIRECTORY ${DST}/Data)
file(GLOB data_files ${SRC}/Data/*.cds)
foreach(f ${data_files})
  file(COPY ${f} DESTINATION ${DST}/Data)
endforeach()
file(GLOB lang_files ${SRC}/lang/*.LNG)
foreach(f ${lang_files})
  file(COPY ${f} DESTINATION ${DST})
endforeach()
