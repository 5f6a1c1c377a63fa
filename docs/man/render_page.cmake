# cmake -DIN=page.1.in -DOUT=page.1.gz -DVERSION=x.y.z [-DNAMES_EXE=tilewright-names] -P render_page.cmake
# Fills in the version and the control-name table, then compresses the page
# the way Debian keeps manual pages (gzip -9n: no name, no time stamp).
cmake_minimum_required(VERSION 3.25)  # new rules: "@VERSION@" is text, not a reference
file(READ ${IN} page)
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
if(page MATCHES "@CONTROL_NAMES@")
  execute_process(COMMAND ${NAMES_EXE} --roff OUTPUT_VARIABLE names RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NAMES_EXE} failed: ${rc}")
  endif()
  string(REPLACE "@CONTROL_NAMES@\n" "${names}" page "${page}")
endif()
string(REGEX REPLACE "\\.gz$" "" plain ${OUT})
file(WRITE ${plain} "${page}")
execute_process(COMMAND gzip -9nf ${plain} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip ${plain} failed: ${rc}")
endif()
