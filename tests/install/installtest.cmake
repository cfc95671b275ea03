# Installs the build into a fresh prefix, then configures, builds and runs a
# small host program against it. Run by CTest with -P.
#   VEK_BUILD_DIR  the framework's build folder
#   VEK_HOST_DIR   the host program's sources
#   VEK_COREHOST_DIR  the sources of a host of the core library alone
#   VEK_FORMHOST_DIR  the sources of a host of the UI loader
#   VEK_HOSTS_DOC  docs/hosts.md, whose complete example is the UI loader host
#   VEK_WORK_DIR   scratch folder (emptied first)
#   VEK_HOST_LINK_FLAGS  linker flags of the host program (may be empty)
cmake_policy(SET CMP0057 NEW) # if(IN_LIST)
set(_prefix ${VEK_WORK_DIR}/prefix)
set(_host ${VEK_WORK_DIR}/host)
file(REMOVE_RECURSE ${VEK_WORK_DIR})

function(_run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${_rc}):\n${_out}")
    endif()
    set(_out "${_out}" PARENT_SCOPE)
endfunction()

_run("install" ${CMAKE_COMMAND} --install ${VEK_BUILD_DIR} --prefix ${_prefix})

file(GLOB_RECURSE _private RELATIVE ${_prefix} ${_prefix}/include/*_p.h)
if(_private)
    message(FATAL_ERROR "private headers installed: ${_private}")
endif()
# A class exported only when the framework is built with tests is no API, and
# an installed header must not leave a host with an include it cannot find.
file(GLOB_RECURSE _headers ${_prefix}/include/*.h)
set(_names "")
foreach(_h ${_headers})
    get_filename_component(_n ${_h} NAME)
    list(APPEND _names ${_n})
endforeach()
foreach(_h ${_headers})
    file(RELATIVE_PATH _rel ${_prefix} ${_h})
    file(STRINGS ${_h} _autotest REGEX "^class VEK_AUTOTEST_EXPORT\\(")
    if(_autotest)
        message(FATAL_ERROR "${_rel} declares a class exported for the tests only: ${_autotest}")
    endif()
    file(STRINGS ${_h} _includes REGEX "^#include \"")
    foreach(_inc ${_includes})
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" _inc ${_inc})
        if(NOT _inc IN_LIST _names)
            message(FATAL_ERROR "${_rel} includes \"${_inc}\", which is not installed")
        endif()
    endforeach()
endforeach()
foreach(_f lib/cmake/Vek/VekConfig.cmake lib/cmake/Vek/VekConfigVersion.cmake include/vek/vekfoundationcore/tlogger.h
        include/vek/vekfoundation/vekfoundation_export.h include/vek/vekfoundationcore/vekfoundationcore_export.h bin/libvekfoundation.so.7
        include/vek/vekpane/tuiloader.h)
    if(NOT EXISTS ${_prefix}/${_f})
        message(FATAL_ERROR "not installed: ${_f}")
    endif()
endforeach()

_run("configure host" ${CMAKE_COMMAND} -S ${VEK_HOST_DIR} -B ${_host} -G Ninja -DCMAKE_BUILD_TYPE=Release
     -DCMAKE_PREFIX_PATH=${_prefix} "-DCMAKE_EXE_LINKER_FLAGS=${VEK_HOST_LINK_FLAGS}")
_run("build host" ${CMAKE_COMMAND} --build ${_host})
_run("run host" ${_host}/vekhost)
message(STATUS "${_out}")
foreach(_line "vekfoundation Plant::open" "vekcipher lot 42" "veksql SELECT" "vekjs 42" "vekpdtservercore ok"
        "vekpane panel" "vekcore ok" "vekutil default")
    string(FIND "${_out}" "${_line}" _at)
    if(_at LESS 0)
        message(FATAL_ERROR "host output lacks \"${_line}\"")
    endif()
endforeach()

# A host of the core library alone finds no Qt module but Core (its
# CMakeLists.txt fails when another one was looked up) and runs.
set(_corehost ${VEK_WORK_DIR}/corehost)
_run("configure core host" ${CMAKE_COMMAND} -S ${VEK_COREHOST_DIR} -B ${_corehost} -G Ninja -DCMAKE_BUILD_TYPE=Release
     -DCMAKE_PREFIX_PATH=${_prefix} "-DCMAKE_EXE_LINKER_FLAGS=${VEK_HOST_LINK_FLAGS}")
_run("build core host" ${CMAKE_COMMAND} --build ${_corehost})
_run("run core host" ${_corehost}/vekcorehost)
message(STATUS "${_out}")
string(FIND "${_out}" "vekfoundationcore Plant::open" _at)
if(_at LESS 0)
    message(FATAL_ERROR "core host output lacks \"vekfoundationcore Plant::open\"")
endif()

# A host of the UI loader: its own widget creator, a plain Qt widget read and
# written through the description's getter and setter, a validator and a
# formula run when values are loaded. Its source is the complete example of
# the host documentation, so the example is what is built here.
file(READ ${VEK_FORMHOST_DIR}/main.cpp _example)
file(READ ${VEK_HOSTS_DOC} _doc)
string(FIND "${_doc}" "```cpp\n${_example}```" _at)
if(_at LESS 0)
    message(FATAL_ERROR "${VEK_HOSTS_DOC} does not hold ${VEK_FORMHOST_DIR}/main.cpp as its complete example")
endif()
set(_formhost ${VEK_WORK_DIR}/formhost)
_run("configure form host" ${CMAKE_COMMAND} -S ${VEK_FORMHOST_DIR} -B ${_formhost} -G Ninja -DCMAKE_BUILD_TYPE=Release
     -DCMAKE_PREFIX_PATH=${_prefix} "-DCMAKE_EXE_LINKER_FLAGS=${VEK_HOST_LINK_FLAGS}")
_run("build form host" ${CMAKE_COMMAND} --build ${_formhost})
_run("run form host" ${_formhost}/vekformhost)
message(STATUS "${_out}")
foreach(_line "values {\"area\":\"10\",\"lot\":\"L-2024-17\",\"panels\":4}" "problems 0"
        "ERROR panels: at least one panel")
    string(FIND "${_out}" "${_line}" _at)
    if(_at LESS 0)
        message(FATAL_ERROR "form host output lacks \"${_line}\"")
    endif()
endforeach()
