# The plot of the scenario's own compiled files opened in a real browser.
# Headless Chromium takes a screenshot, which must show the drawing rather
# than a blank page (enough pixels that are not white, the route's blue and
# the stations' red among them); then Chromium lays out the page with a
# script added to a copy of it, and no two of its texts may overlap as the
# browser sets them. Run by ctest with
#   -DSCENARIO=<program> -DCHROMIUM=<chromium>
#   -DSCHERMATA=<controlla_schermata> -DCARTELLA=<scratch folder>
#   -P disegno_chromium.cmake
foreach(v SCENARIO CHROMIUM SCHERMATA CARTELLA)
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
  set(${uscita} "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${CARTELLA}")
file(MAKE_DIRECTORY "${CARTELLA}")
esegui(_ "${SCENARIO}" --folder "${CARTELLA}" --keep-sources)
esegui(_ "${SCENARIO}" plot --folder "${CARTELLA}")
set(svg "${CARTELLA}/Vendralo_Kv4417.svg")
file(READ "${svg}" pagina)
if(NOT pagina MATCHES "<svg [^>]* width=\"([0-9]+)(\\.[0-9]*)?\" height=\"([0-9]+)(\\.[0-9]*)?\"")
  message(FATAL_ERROR "no width and height on the root element")
endif()
set(larghezza ${CMAKE_MATCH_1})
math(EXPR altezza "${CMAKE_MATCH_3} + 1")

# A fresh profile for each run, and nothing that reaches the network.
set(chromium "${CHROMIUM}" --headless --no-sandbox --disable-gpu
    --disable-quic --no-first-run --disable-background-networking
    --disable-component-update --disable-sync --hide-scrollbars)

set(png "${CARTELLA}/schermata.png")
esegui(_ ${chromium} "--user-data-dir=${CARTELLA}/profilo-schermata"
       "--window-size=${larghezza},${altezza}" "--screenshot=${png}"
       "file://${svg}")
esegui(conti "${SCHERMATA}" "${png}" 1a4f8b:800 b01c1c:300)
message(STATUS "${png}: ${conti}")

# Every text's box as Chromium sets it; the script leaves the count of
# texts and of overlapping pairs in a <desc> that --dump-dom prints.
set(script [=[<script><![CDATA[
(function () {
  var t = document.getElementsByTagName('text');
  var b = [];
  for (var i = 0; i < t.length; i++) {
    var r = t[i].getBoundingClientRect();
    b.push([r.left, r.top, r.right, r.bottom, t[i].textContent]);
  }
  var n = 0, esempi = [];
  for (var i = 0; i < b.length; i++) {
    for (var j = i + 1; j < b.length; j++) {
      var p = b[i], q = b[j];
      if (p[0] < q[2] && q[0] < p[2] && p[1] < q[3] && q[1] < p[3]) {
        n++;
        if (esempi.length < 5) esempi.push(p[4] + ' / ' + q[4]);
      }
    }
  }
  var d = document.createElementNS('http://www.w3.org/2000/svg', 'desc');
  d.setAttribute('id', 'esito');
  d.textContent = 'testi ' + b.length + ' sovrapposti ' + n + ': ' +
                  esempi.join(' | ');
  document.documentElement.appendChild(d);
})();
]]></script>]=])
string(REPLACE "</svg>" "${script}</svg>" con_script "${pagina}")
set(misurata "${CARTELLA}/misurata.svg")
file(WRITE "${misurata}" "${con_script}")
esegui(dom ${chromium} "--user-data-dir=${CARTELLA}/profilo-misure"
       --dump-dom "file://${misurata}")
if(NOT dom MATCHES "<desc id=\"esito\">testi ([0-9]+) sovrapposti ([0-9]+):([^<]*)")
  message(FATAL_ERROR "Chromium gave no measure of the texts:\n${dom}")
endif()
set(testi ${CMAKE_MATCH_1})
set(sovrapposti ${CMAKE_MATCH_2})
if(testi LESS 150)
  message(FATAL_ERROR "Chromium laid out only ${testi} texts")
endif()
if(NOT sovrapposti EQUAL 0)
  message(FATAL_ERROR "${sovrapposti} pairs of texts overlap in Chromium:"
                      "${CMAKE_MATCH_3}")
endif()
message(STATUS "${svg}: drawn by Chromium, ${testi} texts, none over another")
