# Windows: a portable ZIP and an NSIS installer, both holding zorvane.exe, the
# README and the licence side by side. Notepad opens them as .txt.
set(component windows)
install(TARGETS zorvane RUNTIME DESTINATION . COMPONENT ${component})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt COMPONENT ${component})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt COMPONENT ${component})
# The packages hold these files only, whatever else the build may install.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};${component};/")

set(CPACK_GENERATOR "ZIP;NSIS")
# The program is stripped as it links. Stripping it again would write a time
# into its header; left alone, it goes into the packages exactly as built.
set(CPACK_STRIP_FILES OFF)
# Per-generator file names: zorvane-1.0.0-win32.zip, zorvane-1.0.0-win32-setup.exe.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/generators.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/cpack-generators.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack-generators.cmake)

set(CPACK_PACKAGE_INSTALL_DIRECTORY Zorvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Zorvane)
set(CPACK_PACKAGE_EXECUTABLES zorvane Zorvane)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Zorvane)
set(CPACK_NSIS_DISPLAY_NAME Zorvane)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/zorvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/zorvane.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME zorvane.exe)
set(CPACK_NSIS_URL_INFO_ABOUT "${ZORVANE_HOMEPAGE}")
set(CPACK_NSIS_CONTACT "${ZORVANE_MAINTAINER}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The installer's own file properties carry the project's version.
set(version4 "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
# The installer keeps no file times, and its files get the time they are
# installed: among them is a settings page that cpack writes as it packs, whose
# time would make every installer differ.
string(JOIN "\n" CPACK_NSIS_DEFINES
    "  SetDateSave off"
    "  VIProductVersion ${version4}"
    "  VIFileVersion ${version4}"
    "  VIAddVersionKey ProductName Zorvane"
    "  VIAddVersionKey ProductVersion ${PROJECT_VERSION}"
    "  VIAddVersionKey FileVersion ${PROJECT_VERSION}"
    "  VIAddVersionKey FileDescription \"Zorvane ${PROJECT_VERSION} Setup\""
    "  VIAddVersionKey CompanyName \"${ZORVANE_VENDOR}\""
    "  VIAddVersionKey LegalCopyright \"Copyright (c) 2026 ${ZORVANE_VENDOR}\"")
