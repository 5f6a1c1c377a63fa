# The desktop entry, the icon theme files and the XYZ picture type of the Qt
# program. The PNGs under icons/ are written by the tilewright-icons program
# from the program's own icon art; re-run it after changing that art. XYZ
# files show the program's icon too.
if(TW_BUILD_GUI)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tilewright.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tilewright-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tilewright.xml)
  foreach(size 16 32 48 128)
    set(icon ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor/${size}x${size}/apps/tilewright.png)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
            RENAME image-x-xyz.png)
  endforeach()
endif()
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tilewright)
