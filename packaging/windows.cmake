# Windows: a portable ZIP and an MSI of each build, 32-bit and 64-bit, and an
# NSIS installer of the 32-bit one, all holding zorvane.exe, the readme and
# the licence side by side. Notepad opens them as .txt. The MSI is wixl's.
#
# The installer carries the 32-bit program alone: it is a 32-bit program
# itself, runs on every Windows, and so does what it installs; a choice of
# program made inside it would be code no machine here can run. A Windows
# Installer package is of one architecture, and a 32-bit one cannot hold
# 64-bit components, so each program has its MSI.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ZORVANE_WINDOWS_ARCH win64)
    set(ZORVANE_WINDOWS_BITS 64-bit)
    set(ZORVANE_WINDOWS_RUNS_ON "64-bit Windows 7 and later")
    set(ZORVANE_WINDOWS_INSTALLERS "the MSI")
    set(ZORVANE_WINDOWS_UNINSTALL_SETUP "")
else()
    set(ZORVANE_WINDOWS_ARCH win32)
    set(ZORVANE_WINDOWS_BITS 32-bit)
    set(ZORVANE_WINDOWS_RUNS_ON "Windows 7 and later, 32-bit or 64-bit")
    set(ZORVANE_WINDOWS_INSTALLERS "the setup program or the MSI")
    # Windows' line ends written out: the readme's own are converted, but
    # not those a value brings in.
    string(CONCAT ZORVANE_WINDOWS_UNINSTALL_SETUP "\r\n"
        "  and the setup program's installation with\r\n"
        "      \"%ProgramFiles%\\Zorvane\\Uninstall.exe\" /S\r\n"
        "  (on 64-bit Windows, %ProgramFiles(x86)% instead of %ProgramFiles%).")
endif()
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

if(ZORVANE_WINDOWS_ARCH STREQUAL "win32")
    set(CPACK_GENERATOR "ZIP;NSIS")
else()
    set(CPACK_GENERATOR "ZIP")
endif()
# The program is stripped as it links. Stripping it again would write a time
# into its header; left alone, it goes into the packages exactly as built.
set(CPACK_STRIP_FILES OFF)
# Per-generator file names: zorvane-1.0.0-win32.zip, zorvane-1.0.0-win32-setup.exe,
# zorvane-1.0.0-win64.zip.
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
# The installer keeps no file times, and its files get the time they are
# installed: among them is a settings page that cpack writes as it packs, whose
# time would make every installer differ.
string(JOIN "\n" CPACK_NSIS_DEFINES
    "  SetDateSave off"
    "  VIProductVersion ${ZORVANE_VERSION_QUAD}"
    "  VIFileVersion ${ZORVANE_VERSION_QUAD}"
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
# Its UpgradeCode is Zorvane's for good, the same for both programs, so that
# installing either replaces the other of an earlier version. The product code
# and the components' codes are derived from the version and the program, so
# a new version gets a new product code, which a major upgrade needs, and the
# same sources always make the same codes. The 32-bit MSI's codes keep the
# names they had before there was a 64-bit one.
set(ZORVANE_MSI_UPGRADE_CODE 27BB841B-0B53-490A-B2B7-0F4C465A209C)
set(msi_namespace F5EC0797-EF1C-4C10-BCC3-D10797100048)
if(ZORVANE_WINDOWS_ARCH STREQUAL "win64")
    set(msi_program " win64")
    set(ZORVANE_MSI_ARCH x64)
    set(ZORVANE_MSI_WIN64 yes)
    set(ZORVANE_MSI_PROGRAM_FILES ProgramFiles64Folder)
else()
    set(msi_program "")
    set(ZORVANE_MSI_ARCH x86)
    set(ZORVANE_MSI_WIN64 no)
    set(ZORVANE_MSI_PROGRAM_FILES ProgramFilesFolder)
endif()
math(EXPR next_patch "${PROJECT_VERSION_PATCH} + 1")
set(ZORVANE_MSI_NEXT_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${next_patch}")
foreach(code PRODUCT_CODE PROGRAM_GUID README_GUID LICENCE_GUID SHORTCUT_GUID)
    string(UUID uuid NAMESPACE ${msi_namespace} NAME "${code} ${PROJECT_VERSION}${msi_program}"
        TYPE SHA1 UPPER)
    set(ZORVANE_MSI_${code} ${uuid})
endforeach()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows/zorvane.wxs.in
    ${CMAKE_CURRENT_BINARY_DIR}/zorvane.wxs @ONLY)

# The MSI's dates come from SOURCE_DATE_EPOCH as the build sees it, so the
# MSI depends on a record of it, rewritten only when it changes: an MSI made
# without it, or with another, is made again.
set(epoch ${PROJECT_BINARY_DIR}/source-date-epoch)
add_custom_target(source_date_epoch
    COMMAND ${CMAKE_COMMAND} -DOUT=${epoch} -P ${CMAKE_CURRENT_SOURCE_DIR}/record-epoch.cmake
    BYPRODUCTS ${epoch}
    VERBATIM)

set(ZORVANE_MSI
    ${PROJECT_BINARY_DIR}/msi/${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${ZORVANE_WINDOWS_ARCH}.msi)
add_custom_command(OUTPUT ${ZORVANE_MSI}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/msi
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/make-msi ${ZORVANE_MSI}
        ${CMAKE_CURRENT_BINARY_DIR}/zorvane.wxs ${ZORVANE_MSI_ARCH} ${ZORVANE_RELEASE_DATE} ${epoch}
        zorvane.exe=$<TARGET_FILE:zorvane>
        README.txt=${CMAKE_CURRENT_BINARY_DIR}/README.txt
        LICENSE.txt=${PROJECT_SOURCE_DIR}/LICENSE
        zorvane.ico=${PROJECT_SOURCE_DIR}/assets/zorvane.ico
    DEPENDS zorvane ${CMAKE_CURRENT_SOURCE_DIR}/windows/make-msi ${epoch}
        ${CMAKE_CURRENT_BINARY_DIR}/zorvane.wxs ${CMAKE_CURRENT_BINARY_DIR}/README.txt
        ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/assets/zorvane.ico
    VERBATIM)
add_custom_target(msi DEPENDS ${ZORVANE_MSI})
