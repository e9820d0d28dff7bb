# nlohmann-json, header-only, for cross builds: the host's package (Debian's
# nlohmann-json3-dev) serves the target too, but a cross build must never see
# the rest of the host's /usr/include. So the package is offered from a folder
# of the build whose include directory holds one link, nlohmann/, to the
# host's headers. Native builds find the host's package as it is. Either way:
#   find_package(nlohmann_json 3 REQUIRED)
#   target_link_libraries(<target> PRIVATE nlohmann_json::nlohmann_json)
if(NOT CMAKE_CROSSCOMPILING)
  return()
endif()

set(SCENARIO_NLOHMANN_JSON_OSPITE /usr/share/cmake/nlohmann_json CACHE PATH
    "The host's nlohmann_json package folder, offered to cross builds")
set(scenario_configurazione_ospite
    ${SCENARIO_NLOHMANN_JSON_OSPITE}/nlohmann_jsonConfig.cmake)
set(scenario_intestazioni_ospite /usr/include/nlohmann)
if(NOT EXISTS ${scenario_configurazione_ospite} OR
   NOT EXISTS ${scenario_intestazioni_ospite}/json.hpp)
  return()
endif()

set(scenario_ponte ${PROJECT_BINARY_DIR}/nlohmann_json_ospite)
file(MAKE_DIRECTORY ${scenario_ponte}/include)
if(NOT EXISTS ${scenario_ponte}/include/nlohmann)
  file(CREATE_LINK ${scenario_intestazioni_ospite}
       ${scenario_ponte}/include/nlohmann SYMBOLIC)
endif()
# The host's version file: the headers are the same whatever the target.
configure_file(${SCENARIO_NLOHMANN_JSON_OSPITE}/nlohmann_jsonConfigVersion.cmake
               ${scenario_ponte}/nlohmann_jsonConfigVersion.cmake COPYONLY)
file(WRITE ${scenario_ponte}/nlohmann_jsonConfig.cmake [=[
# Written by cmake/nlohmann_json_ospite.cmake: the host's headers only.
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}/include")
endif()
]=])
set(nlohmann_json_DIR ${scenario_ponte} CACHE PATH
    "nlohmann_json package for the cross build" FORCE)
