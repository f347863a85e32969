# cmake -DFOLDER=... -DFORBIDDEN=regex -DSTAMP=file -P CheckLayer.cmake
# Fails when a source file in FOLDER includes a path that FORBIDDEN matches at its start.
file(GLOB sources ${FOLDER}/*.cpp ${FOLDER}/*.h)
set(found "")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${FORBIDDEN})")
    foreach(line ${lines})
        string(APPEND found "\n  ${source}: ${line}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "Includes from above this layer:${found}")
endif()
file(TOUCH ${STAMP})
