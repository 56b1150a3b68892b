# Builds the Debian package as `cpack` does, into a scratch folder, and checks it the way Debian
# and the desktops would: lintian on the whole package (no error, no warning), then every file a
# desktop expects, taken from the package itself, with the desktop's own validators.
# cmake -DBUILD_DIR=... -DVALIDATE=desktop-file-validate -DAPPSTREAMCLI=appstreamcli -P install_check.cmake
find_program(LINTIAN lintian REQUIRED)
find_program(DPKG_DEB dpkg-deb REQUIRED)
# The cpack that comes with the cmake running this script.
get_filename_component(cmake_bin ${CMAKE_COMMAND} DIRECTORY)
find_program(CPACK cpack HINTS ${cmake_bin} REQUIRED)

set(scratch ${BUILD_DIR}/package-check)
file(REMOVE_RECURSE ${scratch})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${scratch}
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB package ${scratch}/*.deb)
list(LENGTH package count)
if(result OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made no package: ${output}")
endif()

execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${package}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(result)
  message(FATAL_ERROR "lintian:\n${output}${errors}")
endif()

set(root ${scratch}/root)
execute_process(COMMAND ${DPKG_DEB} -x ${package} ${root} RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "dpkg-deb cannot unpack ${package}")
endif()
set(expected usr/bin/Tavrellix usr/share/applications/com.quorvane.tavrello.desktop
    usr/share/metainfo/com.quorvane.tavrello.metainfo.xml usr/share/man/man1/Tavrellix.1.gz
    usr/share/doc/tavrello/copyright usr/share/doc/tavrello/changelog.gz
    usr/share/icons/hicolor/scalable/apps/com.quorvane.tavrello.svg)
foreach(size 32 64 128 256)
  list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/com.quorvane.tavrello.png)
endforeach()
foreach(path ${expected})
  if(NOT EXISTS ${root}/${path})
    message(FATAL_ERROR "not in the package: ${path}")
  endif()
endforeach()
execute_process(COMMAND ${VALIDATE} ${root}/usr/share/applications/com.quorvane.tavrello.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result OR output)
  message(FATAL_ERROR "desktop-file-validate: ${output}")
endif()
# Pedantic: even the hints a software centre would show must be fixed, not only the errors.
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic --no-color
                        ${root}/usr/share/metainfo/com.quorvane.tavrello.metainfo.xml
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX MATCHALL "\n[EWIP]: [^\n]*" findings "\n${output}")
if(result OR findings)
  message(FATAL_ERROR "appstreamcli: ${output}")
endif()
file(REMOVE_RECURSE ${scratch})
message(STATUS "packaged, lintian-clean and valid: ${expected}")
