# The desktop entry and the icon theme files of the Qt program. The PNGs under
# icons/ are written by the tilewright-icons program from the program's own
# icon art; re-run it after changing that art.
if(TW_BUILD_GUI)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tilewright.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 16 32 48 128)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor/${size}x${size}/apps/tilewright.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
