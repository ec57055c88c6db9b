# Registers a test that runs a cross-built Windows program under Wine.
#   add_wine_test(NAME n PREFIX win32|win64 [GUI] COMMAND program.exe args...)
# PREFIX win32 plays a 32-bit Windows (WINEARCH=win32), win64 a 64-bit one.
# Tests sharing a prefix never run at the same time.
function(add_wine_test)
  cmake_parse_arguments(W "GUI" "NAME;PREFIX" "COMMAND" ${ARGN})
  set(gui)
  if(W_GUI)
    set(gui --gui)
  endif()
  add_test(NAME ${W_NAME}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh ${W_PREFIX} ${WINE_PREFIX_DIR} ${gui} ${W_COMMAND})
  set_tests_properties(${W_NAME} PROPERTIES RESOURCE_LOCK wine-${W_PREFIX} LABELS wine)
endfunction()
