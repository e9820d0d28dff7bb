# Fails unless every DLL that the given programs import ships with Windows,
# so that the statically linked programs run from a plain folder anywhere.
#   cmake -DOBJDUMP=<objdump> -DPROGRAMMI=<a.exe;b.exe> -P dll_di_sistema.cmake
cmake_minimum_required(VERSION 3.25)
set(dll_di_sistema advapi32.dll comctl32.dll comdlg32.dll gdi32.dll
    kernel32.dll msvcrt.dll ntdll.dll ole32.dll shell32.dll user32.dll)
foreach(programma IN LISTS PROGRAMMI)
  execute_process(COMMAND "${OBJDUMP}" -p "${programma}"
                  OUTPUT_VARIABLE intestazioni RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${programma} failed")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" righe "${intestazioni}")
  set(importate "")
  foreach(riga IN LISTS righe)
    string(REGEX REPLACE "DLL Name: " "" nome "${riga}")
    string(STRIP "${nome}" nome)
    list(APPEND importate "${nome}")
    string(TOLOWER "${nome}" minuscolo)
    if(NOT minuscolo IN_LIST dll_di_sistema)
      message(FATAL_ERROR "${programma} imports ${nome}, which Windows does "
                          "not ship")
    endif()
  endforeach()
  if(NOT importate)
    message(FATAL_ERROR "no imports read from ${programma}")
  endif()
  message(STATUS "${programma}: ${importate}")
endforeach()
