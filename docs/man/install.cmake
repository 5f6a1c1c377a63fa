# The two manual pages, rendered at build time: the runner's page takes its
# table of control names from tilewright-names, which reads the window's model.
add_executable(tilewright-names src/app/control_names_main.cpp)
target_link_libraries(tilewright-names PRIVATE tw_runner)

set(tw_man_pages tilewright-batch)
if(TW_BUILD_GUI)
  list(APPEND tw_man_pages tilewright)
endif()
set(tw_man_outputs)
foreach(page ${tw_man_pages})
  set(in ${CMAKE_CURRENT_LIST_DIR}/${page}.1.in)
  set(out ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -DIN=${in} -DOUT=${out} -DVERSION=${PROJECT_VERSION}
            -DNAMES_EXE=$<TARGET_FILE:tilewright-names> -P ${CMAKE_CURRENT_LIST_DIR}/render_page.cmake
    DEPENDS ${in} ${CMAKE_CURRENT_LIST_DIR}/render_page.cmake tilewright-names
    COMMENT "Rendering the manual page ${page}(1)" VERBATIM)
  list(APPEND tw_man_outputs ${out})
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${tw_man_outputs})
