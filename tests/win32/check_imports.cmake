cmake_minimum_required(VERSION 3.25)

# Fails unless every DLL that PROGRAM imports is a KnownDLL, which Windows
# maps from the system folder whatever lies beside the program, or comctl32.
#   cmake -DOBJDUMP=... -DPROGRAM=... -P check_imports.cmake
# Anything else would be looked for in the program's own folder first
# ("Dynamic-link library search order", "Dynamic-Link Library Security"), and
# imports are resolved before the program's first line can narrow the search.

# The KnownDLLs of every Windows from 7 to 11 (the registry key
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs).
set(known advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt
    normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32
    wldap32 ws2_32)
# Not a KnownDLL, but the manifest asks for Common Controls 6, which comes from
# the side-by-side store: manifest redirection comes before the program's folder.
list(APPEND known comctl32)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(line IN LISTS imports)
    string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]$" "\\1" name "${line}")
    string(TOLOWER "${name}" name)
    if(NOT name IN_LIST known)
        list(APPEND strangers ${name})
    endif()
endforeach()
if(strangers)
    message(FATAL_ERROR "imports outside the KnownDLLs: ${strangers}")
endif()
