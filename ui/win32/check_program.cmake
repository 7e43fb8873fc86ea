cmake_minimum_required(VERSION 3.25)

# Checks the Windows program as built, without running it, so that a build for
# a machine this one cannot run (32-bit Windows, where the kernel runs no
# 32-bit programs) is still checked:
#   cmake -DOBJDUMP=... -DPROGRAM=... -DMACHINE=i386|x86-64 -P check_program.cmake
# It fails unless PROGRAM is
#   - a PE program for MACHINE (PE32 for i386, PE32+ for x86-64), whatever the
#     compiler was: MACHINE comes from the toolchain file that names the target;
#   - a GUI program, which opens no console window;
#   - relocatable and non-executable data, with high-entropy addresses where
#     it is 64-bit (ASLR, DEP), and aware of Remote Desktop's sessions, so
#     that Windows runs it without the compatibility shims it gives programs
#     that might not be (TERMINAL_SERVICE_AWARE, linked with --tsaware);
#   - at most 1 MiB;
#   - importing only DLLs that Windows takes from its system folder whatever
#     lies beside the program: the KnownDLLs, and comctl32. Anything else would
#     be looked for in the program's own folder first ("Dynamic-link library
#     search order", "Dynamic-Link Library Security"), and imports are resolved
#     before the program's first line can narrow the search.

# The KnownDLLs of every Windows from 7 to 11 (the registry key
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs).
set(known advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt
    normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32
    wldap32 ws2_32)
# Not a KnownDLL, but the manifest asks for Common Controls 6, which comes from
# the side-by-side store: manifest redirection comes before the program's folder.
list(APPEND known comctl32)

execute_process(COMMAND ${OBJDUMP} -f -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()

if(MACHINE STREQUAL "i386")
    set(format pei-i386)
    set(magic "010b\t\\(PE32\\)")
    set(characteristics DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
elseif(MACHINE STREQUAL "x86-64")
    set(format pei-x86-64)
    set(magic "020b\t\\(PE32\\+\\)")
    set(characteristics DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA TERMINAL_SERVICE_AWARE)
else()
    message(FATAL_ERROR "MACHINE must be i386 or x86-64, not '${MACHINE}'")
endif()
if(NOT headers MATCHES "file format ${format}\n" OR NOT headers MATCHES "\nMagic\t+${magic}\n")
    string(REGEX MATCH "file format [^\n]*" found "${headers}")
    message(FATAL_ERROR "${PROGRAM} is not a ${format} program (${found})")
endif()
if(NOT headers MATCHES "\nSubsystem\t+00000002\t\\(Windows GUI\\)\n")
    string(REGEX MATCH "\nSubsystem\t[^\n]*" found "${headers}")
    string(STRIP "${found}" found)
    message(FATAL_ERROR "${PROGRAM} is not a Windows GUI program (${found})")
endif()
string(REGEX MATCH "DllCharacteristics[^\n]*(\n\t\t+[A-Z_]+)*" flags "${headers}")
foreach(flag IN LISTS characteristics)
    if(NOT flags MATCHES "\t${flag}(\n|$)")
        message(FATAL_ERROR "${PROGRAM} lacks ${flag} in its DllCharacteristics: ${flags}")
    endif()
endforeach()

file(SIZE ${PROGRAM} size)
if(size GREATER 1048576)
    message(FATAL_ERROR "${PROGRAM} is ${size} bytes, more than 1 MiB")
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
