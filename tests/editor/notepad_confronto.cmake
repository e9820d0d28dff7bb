# The committed Notepad++ language is the one the program writes today:
# regenerated into a fresh folder and compared byte for byte.
#   cmake -DSCENARIO=... -DCARTELLA=... -DATTESO=... -P notepad_confronto.cmake
file(REMOVE_RECURSE ${CARTELLA})
file(MAKE_DIRECTORY ${CARTELLA})
execute_process(COMMAND ${SCENARIO} lsp --notepad++ ${CARTELLA}
                RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "scenario lsp --notepad++ ended with ${esito}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                        ${CARTELLA}/scenario.xml ${ATTESO}
                RESULT_VARIABLE diverso)
if(NOT diverso EQUAL 0)
  message(FATAL_ERROR "${ATTESO} differs from what the program writes: "
                      "run scenario lsp --notepad++ editors/notepad++")
endif()
