# Install rules and packages. Everything goes into one folder, since the
# program writes its files next to itself: the programs, the README, the
# licence and the changelog. Windows gets a zip (cpack), Linux a tarball;
# `cmake --install BUILD --prefix DIR` lays out the same folder.
if(WIN32)
  install(TARGETS scenario scenario_cli RUNTIME DESTINATION .)
  # The runtime linked into the executables brings its own notices.
  set(SCENARIO_NOTIZIE_MINGW /usr/share/doc/mingw-w64-x86-64-dev/copyright
      CACHE FILEPATH "Copyright notices of the mingw-w64 runtime")
  set(SCENARIO_NOTIZIE_GCC
      /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
      CACHE FILEPATH "Copyright notices of the GCC runtime libraries")
  foreach(notizie mingw-w64:${SCENARIO_NOTIZIE_MINGW}
                  gcc-runtime:${SCENARIO_NOTIZIE_GCC})
    string(REPLACE ":" ";" coppia "${notizie}")
    list(GET coppia 0 nome)
    list(GET coppia 1 file)
    if(NOT EXISTS "${file}")
      message(FATAL_ERROR "${file} is missing: it ships with the package "
                          "as the notices of the ${nome} runtime")
    endif()
    install(FILES "${file}" DESTINATION third-party RENAME ${nome}.txt)
  endforeach()
  set(CPACK_GENERATOR ZIP)
  set(scenario_sistema windows-x86_64)
else()
  install(TARGETS scenario RUNTIME DESTINATION .)
  set(CPACK_GENERATOR TGZ)
  set(scenario_sistema linux-${CMAKE_SYSTEM_PROCESSOR})
endif()
install(FILES README.md LICENSE CHANGELOG.md DESTINATION .)
# The authors' reference, where the README's links find it.
install(FILES docs/formato-linea.md docs/formato-treno.md DESTINATION docs)

set(CPACK_PACKAGE_NAME scenario)
set(CPACK_PACKAGE_VENDOR "the scenario authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "One-shot scenario builder for a train-driving simulator")
set(CPACK_PACKAGE_FILE_NAME
    ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${scenario_sistema})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
