# What this configuration needs from the system, looked up before anything
# is built: a missing library or tool stops the configure with one line per
# Debian package to install, so that no test is registered that would fail
# later for want of a tool. tools/prerequisiti.sh installs them all.
set(scenario_mancanti "")
macro(scenario_manca pacchetto cosa)
  list(APPEND scenario_mancanti "  ${pacchetto} (${cosa})")
endmacro()

find_package(nlohmann_json 3 QUIET)
if(NOT nlohmann_json_FOUND)
  scenario_manca(nlohmann-json3-dev "the JSON of inspect --json")
endif()

if(SCENARIO_TESTS)
  if(CMAKE_CROSSCOMPILING)
    set(SCENARIO_GTEST_SOURCE /usr/src/googletest CACHE PATH
        "GoogleTest sources, built with the cross toolchain")
    if(NOT EXISTS ${SCENARIO_GTEST_SOURCE}/CMakeLists.txt)
      scenario_manca(googletest "GoogleTest's sources, built for the target")
    endif()
  else()
    find_package(GTest QUIET)
    if(NOT GTest_FOUND)
      scenario_manca(libgtest-dev "GoogleTest")
    endif()
    # The host's tools that the plot test runs.
    find_program(SCENARIO_XMLLINT xmllint)
    if(NOT SCENARIO_XMLLINT)
      scenario_manca(libxml2-utils "xmllint, which parses the plot")
    endif()
    find_program(SCENARIO_RSVG_CONVERT rsvg-convert)
    if(NOT SCENARIO_RSVG_CONVERT)
      scenario_manca(librsvg2-bin "rsvg-convert, which renders the plot")
    endif()
    find_program(SCENARIO_CHROMIUM chromium)
    if(NOT SCENARIO_CHROMIUM)
      scenario_manca(chromium "Chromium, which opens the plot headless")
    endif()
    # The plot's texts are measured with this font's widths.
    find_file(SCENARIO_DEJAVU DejaVuSans.ttf
              PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH)
    if(NOT SCENARIO_DEJAVU)
      scenario_manca(fonts-dejavu-core "DejaVu Sans, the plot's font")
    endif()
    find_package(PNG QUIET)
    if(NOT PNG_FOUND)
      scenario_manca(libpng-dev "libpng, which reads the plot's screenshot")
    endif()
  endif()
endif()

# The editors' tests drive real clients: Neovim (Debian's neovim) and the
# VS Code extension's grammar (its npm packages, in editors/vscode). Where
# one is missing its tests are left out and configure says so.
set(scenario_editori_mancanti "")
if(SCENARIO_TESTS AND NOT CMAKE_CROSSCOMPILING)
  find_program(SCENARIO_NVIM nvim)
  if(NOT SCENARIO_NVIM)
    list(APPEND scenario_editori_mancanti "  neovim (the Neovim client test)")
  endif()
  find_program(SCENARIO_NODE node)
  find_program(SCENARIO_NPM npm)
  if(NOT SCENARIO_NODE OR NOT SCENARIO_NPM)
    list(APPEND scenario_editori_mancanti
         "  nodejs with npm (the grammar test and the .vsix)")
  endif()
  if(NOT EXISTS ${PROJECT_SOURCE_DIR}/editors/vscode/node_modules/vscode-textmate)
    list(APPEND scenario_editori_mancanti
         "  editors/vscode/node_modules (npm ci there: the grammar test)")
  endif()
  if(scenario_editori_mancanti)
    list(JOIN scenario_editori_mancanti "\n" scenario_elenco_editori)
    message(WARNING "Editor tests left out, for want of:\n"
                    "${scenario_elenco_editori}\n"
                    "tools/prerequisiti.sh test brings them.")
  endif()
endif()

if(SCENARIO_BENCH)
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    scenario_manca(libbenchmark-dev "Google Benchmark")
  endif()
endif()

# clang finds its sanitizer runtime only when Debian's package is there.
if(scenario_sanitizers AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libclang_rt.asan-x86_64.a
    OUTPUT_VARIABLE scenario_runtime_asan OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${scenario_runtime_asan}" OR
     NOT EXISTS "${scenario_runtime_asan}")
    string(REGEX MATCH "^[0-9]+" scenario_clang_major
                 "${CMAKE_CXX_COMPILER_VERSION}")
    scenario_manca(libclang-rt-${scenario_clang_major}-dev
                   "clang's sanitizer runtime")
  endif()
endif()

if(scenario_mancanti)
  list(JOIN scenario_mancanti "\n" scenario_elenco)
  message(FATAL_ERROR "Missing Debian packages:\n${scenario_elenco}\n"
                      "Install them with tools/prerequisiti.sh, or with "
                      "apt-get install.")
endif()
