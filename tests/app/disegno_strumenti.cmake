# The plot of the scenario's own compiled files read by real tools: xmllint
# parses it as XML, rsvg-convert renders it to PNG, and each view holds one
# marker and one label per station of the train source file, the labels
# being the names written there. Run by ctest with
#   -DSCENARIO=<program> -DXMLLINT=<xmllint> -DRSVG_CONVERT=<rsvg-convert>
#   -DCARTELLA=<scratch folder> -P disegno_strumenti.cmake
foreach(v SCENARIO XMLLINT RSVG_CONVERT CARTELLA)
  if(NOT DEFINED ${v} OR "${${v}}" STREQUAL "")
    message(FATAL_ERROR "${v} is not set")
  endif()
endforeach()

function(esegui uscita)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE stato
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT stato EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nexit status ${stato}\n${out}${err}")
  endif()
  string(STRIP "${out}" out)
  set(${uscita} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${CARTELLA}")
file(MAKE_DIRECTORY "${CARTELLA}")
esegui(_ "${SCENARIO}" --folder "${CARTELLA}" --keep-sources)
esegui(_ "${SCENARIO}" plot --folder "${CARTELLA}")
set(svg "${CARTELLA}/Vendralo_Kv4417.svg")

esegui(_ "${XMLLINT}" --noout --nonet "${svg}")
esegui(radice "${XMLLINT}" --nonet --xpath
       "concat(namespace-uri(/*), ' ', local-name(/*))" "${svg}")
if(NOT radice STREQUAL "http://www.w3.org/2000/svg svg")
  message(FATAL_ERROR "root element: '${radice}'")
endif()

set(png "${CARTELLA}/Vendralo_Kv4417.png")
esegui(_ "${RSVG_CONVERT}" --format=png --output "${png}" "${svg}")
file(READ "${png}" firma HEX LIMIT 8)
if(NOT firma STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "rsvg-convert did not write a PNG: '${firma}'")
endif()

# Station rows: the name follows the 16 numbers, after the 17th comma.
string(REPEAT "[^,]*," 17 colonne)
file(STRINGS "${CARTELLA}/Vendralo_Kv4417-.txt" righe REGEX "^stazione,")
set(nomi "")
foreach(riga IN LISTS righe)
  string(REGEX REPLACE "\r$" "" riga "${riga}")
  string(REGEX REPLACE "^${colonne} ?" "" nome "${riga}")
  list(APPEND nomi "${nome}")
endforeach()
list(LENGTH nomi quante)
if(NOT quante EQUAL 56)
  message(FATAL_ERROR "${quante} station rows in the train source, not 56")
endif()

foreach(vista pianta profilo)
  if(vista STREQUAL "pianta")
    set(segno circle)
  else()
    set(segno line)
  endif()
  esegui(segni "${XMLLINT}" --nonet --xpath
         "count(//*[@id='${vista}']//*[local-name()='${segno}'][@class='stazione'])"
         "${svg}")
  esegui(etichette "${XMLLINT}" --nonet --xpath
         "count(//*[@id='${vista}']//*[local-name()='text'][@class='nome-stazione'])"
         "${svg}")
  if(NOT segni EQUAL quante OR NOT etichette EQUAL quante)
    message(FATAL_ERROR "${vista}: ${segni} markers and ${etichette} labels "
                        "for ${quante} stations")
  endif()
  set(i 0)
  foreach(nome IN LISTS nomi)
    math(EXPR i "${i} + 1")
    esegui(etichetta "${XMLLINT}" --nonet --xpath
           "string((//*[@id='${vista}']//*[@class='nome-stazione'])[${i}])"
           "${svg}")
    if(NOT etichetta STREQUAL nome)
      message(FATAL_ERROR "${vista}: label ${i} is '${etichetta}', the train "
                          "source names '${nome}'")
    endif()
  endforeach()
endforeach()
message(STATUS "${svg}: XML, rendered, ${quante} stations in each view")
