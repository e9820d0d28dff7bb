# Neovim's built-in client against the language server, on the scenario's
# own sources written into a fresh folder.
#   cmake -DSCENARIO=... -DNVIM=... -DCARTELLA=... -DSCRIPT=... -P neovim.cmake
file(REMOVE_RECURSE ${CARTELLA})
file(MAKE_DIRECTORY ${CARTELLA})
execute_process(COMMAND ${SCENARIO} --folder ${CARTELLA} --keep-sources
                RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "scenario --keep-sources ended with ${esito}")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SCENARIO=${SCENARIO} CARTELLA=${CARTELLA}
          ${NVIM} --headless -u NONE -i NONE -n -c "luafile ${SCRIPT}"
  RESULT_VARIABLE esito TIMEOUT 120)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "the Neovim checks failed (${esito})")
endif()
