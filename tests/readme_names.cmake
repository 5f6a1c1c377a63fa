# The README's table of control names is the one tilewright-names prints.
# cmake -DNAMES_EXE=... -DREADME=... -P readme_names.cmake
file(READ ${README} readme)
string(REGEX MATCH "<!-- control names: begin -->\n(.*)<!-- control names: end -->" found "${readme}")
if(NOT found)
  message(FATAL_ERROR "${README} has no control-name table between its markers")
endif()
execute_process(COMMAND ${NAMES_EXE} --markdown OUTPUT_VARIABLE table RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NAMES_EXE} failed: ${rc}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL table)
  message(FATAL_ERROR "The README's control-name table is out of date; paste the output of "
                      "`tilewright-names --markdown` between its markers:\n${table}")
endif()
