# Tests that run a script against one of the programs of src/app. The script finds the
# program's command line in an environment variable (split like a shell would), so the
# same script runs for the Linux build and, when FIVEFOLD_WINDOWS_BUILD_DIR names a build
# of the windows preset, for the Windows executable under Wine (label wine).

set(FIVEFOLD_WINDOWS_BUILD_DIR "" CACHE PATH
    "A build of the windows preset whose executables the tests labelled wine run under Wine (empty: no wine tests)")

# A path as one word of a shell-like command line.
function(fivefold_command_word out path)
  if(path MATCHES "[ \t]")
    set(path "'${path}'")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

if(FIVEFOLD_WINDOWS_BUILD_DIR)
  # Debian's 64-bit loader lives outside PATH unless the wine package is installed too.
  find_program(FIVEFOLD_WINE NAMES wine64 HINTS /usr/lib/wine REQUIRED)
  find_program(FIVEFOLD_WINESERVER NAMES wineserver64 wineserver HINTS /usr/lib/wine REQUIRED)
  find_program(FIVEFOLD_MINGW_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
  # A prefix of our own in the build folder; no debug chatter; no dialogs offering to
  # install .NET or a browser engine while the prefix is created.
  set(FIVEFOLD_WINE_ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix" "WINEDEBUG=-all"
      "WINEDLLOVERRIDES=mscoree,mshtml=")
endif()

# The Windows executable of a target of src/app.
function(fivefold_windows_executable out program)
  set(${out} "${FIVEFOLD_WINDOWS_BUILD_DIR}/src/app/${program}.exe" PARENT_SCOPE)
endfunction()

# fivefold_add_wine_test(<name> PROGRAM <target> VARIABLE <env var> COMMAND <command...>)
# Runs <command> with <env var> set to "wine64 <the target's .exe>", under the label wine,
# in the shared Wine session. Does nothing while there is no Windows build.
function(fivefold_add_wine_test name)
  if(NOT FIVEFOLD_WINDOWS_BUILD_DIR)
    return()
  endif()
  cmake_parse_arguments(ARG "" "PROGRAM;VARIABLE" "COMMAND" ${ARGN})
  fivefold_windows_executable(exe ${ARG_PROGRAM})
  fivefold_command_word(wine "${FIVEFOLD_WINE}")
  fivefold_command_word(exe "${exe}")
  add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  set_tests_properties(${name} PROPERTIES LABELS wine FIXTURES_REQUIRED wine_session
    ENVIRONMENT "${FIVEFOLD_WINE_ENVIRONMENT};${ARG_VARIABLE}=${wine} ${exe}")
endfunction()

# fivefold_add_program_test(<name> PROGRAM <target> VARIABLE <env var> LABELS <labels...>
#                           COMMAND <command...>)
# Runs <command> with <env var> set to the Linux build of <target>, under <labels>; and,
# when there is a Windows build, again as <name>_wine for the Windows executable.
function(fivefold_add_program_test name)
  cmake_parse_arguments(ARG "" "PROGRAM;VARIABLE" "LABELS;COMMAND" ${ARGN})
  set(program "$<TARGET_FILE:${ARG_PROGRAM}>")
  if(CMAKE_BINARY_DIR MATCHES "[ \t]")
    set(program "'${program}'")
  endif()
  add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}"
    ENVIRONMENT "${ARG_VARIABLE}=${program}")
  fivefold_add_wine_test(${name}_wine PROGRAM ${ARG_PROGRAM} VARIABLE ${ARG_VARIABLE}
    COMMAND ${ARG_COMMAND})
endfunction()
