# Windows: a portable ZIP and an NSIS installer, both holding zorvane.exe, the
# readme and the licence side by side. Notepad opens them as .txt. The MSI,
# made by wixl, holds the same three files.
set(component windows)
install(TARGETS zorvane RUNTIME DESTINATION . COMPONENT ${component})
# A readme for Windows users, with Windows' line ends for older Notepads; the
# developers' README.md is no use there.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/README.txt.in
    ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION . COMPONENT ${component})
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
    "  VIAddVersionKey LegalCopyright \"Copyright (c) 2026 ${ZORVANE_VENDOR}\""
    # The uninstaller removes the program's key under the vendor's, and then
    # the vendor's key too when nothing else is left in it.
    "Function un.onUninstSuccess"
    "  DeleteRegKey /ifempty SHCTX \"Software\\${ZORVANE_VENDOR}\""
    "FunctionEnd")

# The MSI, built by wixl from the same files: `cmake --build . --target msi`.
# Its UpgradeCode is Zorvane's for good; the product code and the components'
# codes are derived from the version, so a new version gets a new product
# code, which a major upgrade needs, and the same sources always make the
# same codes. make-msi gives the package the same bytes every time.
set(ZORVANE_MSI_UPGRADE_CODE 27BB841B-0B53-490A-B2B7-0F4C465A209C)
set(msi_namespace F5EC0797-EF1C-4C10-BCC3-D10797100048)
foreach(code PRODUCT_CODE PROGRAM_GUID README_GUID LICENCE_GUID SHORTCUT_GUID)
    string(UUID uuid NAMESPACE ${msi_namespace} NAME "${code} ${PROJECT_VERSION}" TYPE SHA1 UPPER)
    set(ZORVANE_MSI_${code} ${uuid})
endforeach()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/zorvane.wxs.in
    ${CMAKE_CURRENT_BINARY_DIR}/zorvane.wxs @ONLY)
set(ZORVANE_MSI ${PROJECT_BINARY_DIR}/msi/${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win32.msi)
add_custom_command(OUTPUT ${ZORVANE_MSI}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/msi
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/make-msi ${ZORVANE_MSI}
        ${CMAKE_CURRENT_BINARY_DIR}/zorvane.wxs ${ZORVANE_RELEASE_DATE}
        zorvane.exe=$<TARGET_FILE:zorvane>
        README.txt=${CMAKE_CURRENT_BINARY_DIR}/README.txt
        LICENSE.txt=${PROJECT_SOURCE_DIR}/LICENSE
        zorvane.ico=${PROJECT_SOURCE_DIR}/assets/zorvane.ico
    DEPENDS zorvane ${CMAKE_CURRENT_SOURCE_DIR}/windows/make-msi
        ${CMAKE_CURRENT_BINARY_DIR}/zorvane.wxs ${CMAKE_CURRENT_BINARY_DIR}/README.txt
        ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/assets/zorvane.ico
    VERBATIM)
add_custom_target(msi DEPENDS ${ZORVANE_MSI})
