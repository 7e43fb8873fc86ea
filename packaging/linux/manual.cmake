# Writes the manual page with the options the built program's --help prints,
# so the two cannot drift apart:
#   cmake -DPROGRAM=zorvane -DIN=zorvane.1.in -DOUT=zorvane.1 -P manual.cmake
# IN is the configured page; its line @ZORVANE_OPTIONS_MAN@ becomes one
# tagged paragraph for each option.
execute_process(COMMAND ${PROGRAM} --help
    OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()

# Roff treats "-" as a hyphen and "\" as an escape.
function(roff text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(options "")
set(within FALSE) # an indented line goes on with the option above it
string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
foreach(line IN LISTS lines)
    if(line MATCHES "^  (-[^ ]+( [A-Z]+)?(, -[^ ]+( [A-Z]+)?)*)  +(.*)$")
        set(flags "${CMAKE_MATCH_1}")
        set(text "${CMAKE_MATCH_5}")
        # Options in bold, their values in italics: "-platform NAME".
        roff("${flags}" flags)
        string(REGEX REPLACE "(\\\\-[^ ,]+)" "\\\\fB\\1\\\\fR" flags "${flags}")
        string(REGEX REPLACE " ([A-Z]+)" " \\\\fI\\1\\\\fR" flags "${flags}")
        roff("${text}" text)
        if(within)
            string(APPEND options "\n")
        endif()
        string(APPEND options ".TP\n${flags}\n${text}")
        set(within TRUE)
    elseif(within AND line MATCHES "^    +([^ -].*)$")
        roff("${CMAKE_MATCH_1}" more)
        string(APPEND options " ${more}")
    elseif(within)
        string(APPEND options "\n")
        set(within FALSE)
    endif()
endforeach()
if(within)
    string(APPEND options "\n")
endif()
if(options STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help listed no options")
endif()

file(READ ${IN} page)
string(REPLACE "@ZORVANE_OPTIONS_MAN@\n" "${options}" page "${page}")
file(WRITE ${OUT} "${page}")
