# Writes SOURCE_DATE_EPOCH, as this build sees it, to OUT, or nothing when it
# is unset, and leaves OUT alone when that is what it holds already, so that
# only what is dated by it is made again.
#   cmake -DOUT=... -P record-epoch.cmake
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(EXISTS ${OUT})
    file(READ ${OUT} recorded)
    if(recorded STREQUAL epoch)
        return()
    endif()
endif()
file(WRITE ${OUT} "${epoch}")
