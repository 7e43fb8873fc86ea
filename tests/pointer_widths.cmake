cmake_minimum_required(VERSION 3.25)

# Fails where a Windows source keeps a pointer in 32 bits: window or class
# data through the calls without "Ptr", or a pointer cast to a 32-bit integer.
# A 64-bit program then works while its objects lie below 4 GiB, as they do
# under Wine, and crashes on a Windows that places them higher.
#   cmake -DSOURCE_DIR=... -P pointer_widths.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/ui/win32/*.cpp
    ${SOURCE_DIR}/ui/win32/*.h)
foreach(source IN LISTS sources)
    file(READ ${SOURCE_DIR}/${source} text)
    if(text MATCHES "[GS]et(Window|Class)Long[AW]?[ \t\n]*\\(|GWL_(USERDATA|WNDPROC|HINSTANCE)"
       OR text MATCHES "reinterpret_cast<[ \t]*(LONG|DWORD|UINT|ULONG|int|unsigned|unsigned int|std::uint32_t)[ \t]*>")
        list(APPEND found ${source})
    endif()
endforeach()
if(found)
    message(FATAL_ERROR "a pointer may be kept in 32 bits in: ${found}")
endif()
