# Run by cpack before it packs the staged files (CPACK_PRE_BUILD_SCRIPTS) and
# again after (CPACK_POST_BUILD_SCRIPTS), so that the same sources make the
# same packages, byte for byte, whoever packs them, where and when.
#
# cpack gives the DEB's members SOURCE_DATE_EPOCH's time and root's ownership,
# but leaves the rest to the packer's environment: folders it stages and files
# it writes itself get permissions from the umask, and ZIP members keep their
# files' times, in the packer's time zone, and the packer's user and group
# ids. The installer keeps no file times (windows.cmake).
if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(STATUS "SOURCE_DATE_EPOCH is not set, so these packages will not be reproducible "
                   "(scripts/package sets it)")
    return()
endif()

if(NOT DEFINED CPACK_PACKAGE_FILES)
    # Before: what the packages hold gets the usual permissions.
    execute_process(COMMAND chmod -R u=rwX,go=rX ${CPACK_TEMPORARY_DIRECTORY}
        COMMAND_ERROR_IS_FATAL ANY)
    return()
endif()

# After: the containers themselves, with Debian's tool for it. A .deb is an ar
# archive, whose member headers hold a time, owner and mode; the tool leaves
# ar alone unless asked.
find_program(strip_nondeterminism strip-nondeterminism REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    set(type "")
    if(package MATCHES "\\.zip$")
        set(type zip)
    elseif(package MATCHES "\\.deb$")
        set(type ar)
    endif()
    if(type)
        execute_process(
            COMMAND ${strip_nondeterminism} --normalizers=+ar --type ${type}
                --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
