# The files that come from the program's tables (the editors' languages and
# the authors' reference pages) are the ones it writes today: regenerated
# into a fresh folder and compared byte for byte with the committed ones.
#   cmake -DSCENARIO=... -DCARTELLA=... -DRADICE=... -P generati.cmake
file(REMOVE_RECURSE ${CARTELLA})
file(MAKE_DIRECTORY ${CARTELLA})
set(comando lsp --notepad++ ${CARTELLA}/editors/notepad++
            --vscode ${CARTELLA}/editors/vscode
            --riferimento ${CARTELLA}/docs)
execute_process(COMMAND ${SCENARIO} ${comando} RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "scenario lsp --notepad++ --vscode --riferimento "
                      "ended with ${esito}")
endif()
file(GLOB_RECURSE scritti RELATIVE ${CARTELLA} ${CARTELLA}/*)
list(LENGTH scritti quanti)
if(quanti EQUAL 0)
  message(FATAL_ERROR "nothing was written")
endif()
foreach(f ${scritti})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                          ${CARTELLA}/${f} ${RADICE}/${f}
                  RESULT_VARIABLE diverso)
  if(NOT diverso EQUAL 0)
    message(FATAL_ERROR "${f} differs from what the program writes: run "
                        "scenario lsp --notepad++ editors/notepad++ "
                        "--vscode editors/vscode --riferimento docs")
  endif()
endforeach()
