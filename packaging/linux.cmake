# Linux: the desktop entry, icons, metainfo and manual page in the standard
# places, and a Debian package of the release build.
include(GNUInstallDirs)
find_program(ZORVANE_GZIP gzip REQUIRED)

set(linux ${CMAKE_CURRENT_SOURCE_DIR}/linux)
set(gen ${CMAKE_CURRENT_BINARY_DIR})
configure_file(${linux}/app.desktop.in ${gen}/${ZORVANE_APP_ID}.desktop @ONLY)
configure_file(${linux}/app.metainfo.xml.in ${gen}/${ZORVANE_APP_ID}.metainfo.xml @ONLY)
# Written by hand; the manual_page test holds its options to what --help lists.
configure_file(${linux}/zorvane.1.in ${gen}/zorvane.1 @ONLY)
configure_file(${linux}/changelog.in ${gen}/changelog @ONLY)
configure_file(${linux}/copyright.in ${gen}/copyright @ONLY)

# Debian wants the manual and changelog compressed, and without the gzip
# header's name and time, so the package comes out the same every time.
set(compressed "")
foreach(name zorvane.1 changelog)
    add_custom_command(OUTPUT ${gen}/${name}.gz
        COMMAND ${ZORVANE_GZIP} -9 -n -f -k ${gen}/${name}
        DEPENDS ${gen}/${name}
        VERBATIM)
    list(APPEND compressed ${gen}/${name}.gz)
endforeach()
add_custom_target(zorvane_install_docs ALL DEPENDS ${compressed})

install(FILES ${gen}/${ZORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${gen}/${ZORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/zorvane-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${ZORVANE_APP_ID}.png)
endforeach()
install(FILES ${gen}/zorvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${gen}/copyright ${gen}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows' faces, which Zorvane loads from their files at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wine)
# Qt's Wayland platform, so that Zorvane runs natively on a Wayland desktop
# rather than through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
