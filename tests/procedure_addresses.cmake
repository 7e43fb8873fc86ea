cmake_minimum_required(VERSION 3.25)

# Fails where a source takes a procedure's address from GetProcAddress itself
# rather than through ProcedureAddress (core/system_library.h), which refuses
# a pointer type without Windows' calling convention. On x86 such a pointer
# corrupts the stack on every call, and nothing that runs here would show it.
#   cmake -DSOURCE_DIR=... -P procedure_addresses.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h
    ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp
    ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/fuzz/*.h
    ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h)
if(NOT "core/system_library.h" IN_LIST sources)
    message(FATAL_ERROR "no core/system_library.h under ${SOURCE_DIR}")
endif()
list(REMOVE_ITEM sources core/system_library.h)
foreach(source IN LISTS sources)
    file(READ ${SOURCE_DIR}/${source} text)
    if(text MATCHES "GetProcAddress[ \t\n]*\\(")
        list(APPEND found ${source})
    endif()
endforeach()
if(found)
    message(FATAL_ERROR "GetProcAddress called outside ProcedureAddress, in: ${found}")
endif()
