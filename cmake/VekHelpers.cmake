# One-line helpers: a library, a plug-in, a program, a test or a benchmark each.
include_guard(GLOBAL)
include(GenerateExportHeader)

find_program(VEK_CCACHE ccache)
if(VEK_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    # Precompiled headers and ccache only get along with these sloppiness settings.
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
        "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
        ${VEK_CCACHE})
endif()

set(VEK_WARNINGS -Wall -Wextra)
set(VEK_PCH_HEADER ${CMAKE_CURRENT_LIST_DIR}/vek_pch.h)
set(VEK_TEST_PCH_HEADER ${CMAKE_CURRENT_LIST_DIR}/vek_test_pch.h)

function(_vek_common target)
    target_compile_options(${target} PRIVATE ${VEK_WARNINGS})
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
    set_target_properties(${target} PROPERTIES
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
        BUILD_RPATH "\$ORIGIN;${CMAKE_BINARY_DIR}/bin" INSTALL_RPATH "\$ORIGIN")
endfunction()

# With Ninja, automoc learns its inputs from the depfile of its last run, so a
# header added to an existing build folder would never be moc'ed. When the
# globbed file list changes, drop the automoc time stamp to force a new run.
function(_vek_automoc_sees_new_files target files)
    set(_list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
    string(JOIN "\n" _content ${files})
    set(_old "")
    if(EXISTS ${_list_file})
        file(READ ${_list_file} _old)
    endif()
    if(NOT _old STREQUAL _content)
        file(WRITE ${_list_file} "${_content}")
        file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
    endif()
endfunction()

# Folders below DIR that hold headers: the library's public include path.
function(_vek_header_dirs out dir)
    file(GLOB_RECURSE _hdrs CONFIGURE_DEPENDS ${dir}/*.h)
    set(_dirs ${dir})
    foreach(_h ${_hdrs})
        get_filename_component(_d ${_h} DIRECTORY)
        list(APPEND _dirs ${_d})
    endforeach()
    list(REMOVE_DUPLICATES _dirs)
    set(${out} ${_dirs} PARENT_SCOPE)
endfunction()

# vek_add_library(name [QT module...] [LINKS target...])
# Every .cpp/.h/.qrc below the current folder belongs to the library, so a new
# class needs no build change. The export header is <name>_export.h with the
# macro <NAME>_EXPORT.
function(vek_add_library name)
    cmake_parse_arguments(A "" "" "QT;LINKS" ${ARGN})
    file(GLOB_RECURSE _src CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    add_library(${name} SHARED ${_src})
    _vek_common(${name})
    _vek_automoc_sees_new_files(${name} "${_src}")
    generate_export_header(${name} EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/${name}_export.h)
    _vek_header_dirs(_inc ${CMAKE_CURRENT_SOURCE_DIR})
    target_include_directories(${name} PUBLIC ${_inc} ${CMAKE_CURRENT_BINARY_DIR})
    foreach(_m ${A_QT})
        target_link_libraries(${name} PUBLIC Qt5::${_m})
    endforeach()
    target_link_libraries(${name} PUBLIC ${A_LINKS})
    if(VEK_USE_PCH)
        target_precompile_headers(${name} PRIVATE ${VEK_PCH_HEADER})
    endif()
    install(TARGETS ${name} LIBRARY DESTINATION bin RUNTIME DESTINATION bin)
endfunction()

# vek_add_plugin(target PACKAGE pkg [QT module...] [LINKS target...] [OUTPUT_DIRECTORY dir])
# A script package plug-in, named the way the package loader looks for it:
# <pkg>plugin plus the platform's shared-library suffix (.so here, .dll on
# Windows), in the folder <pkg> under bin/vekjslib, and installed to the same
# place. OUTPUT_DIRECTORY puts it under another library folder instead (test
# plug-ins), and then it is not installed.
function(vek_add_plugin name)
    cmake_parse_arguments(A "" "PACKAGE;OUTPUT_DIRECTORY" "QT;LINKS" ${ARGN})
    set(_install OFF)
    if(NOT A_OUTPUT_DIRECTORY)
        set(A_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/vekjslib)
        set(_install ON)
    endif()
    file(GLOB_RECURSE _src CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.json)
    add_library(${name} MODULE ${_src})
    _vek_common(${name})
    _vek_automoc_sees_new_files(${name} "${_src}")
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    foreach(_m ${A_QT})
        target_link_libraries(${name} PRIVATE Qt5::${_m})
    endforeach()
    target_link_libraries(${name} PRIVATE ${A_LINKS})
    set_target_properties(${name} PROPERTIES
        PREFIX "" OUTPUT_NAME "${A_PACKAGE}plugin" SUFFIX "${CMAKE_SHARED_LIBRARY_SUFFIX}"
        LIBRARY_OUTPUT_DIRECTORY ${A_OUTPUT_DIRECTORY}/${A_PACKAGE}
        BUILD_RPATH "\$ORIGIN/../..;${CMAKE_BINARY_DIR}/bin" INSTALL_RPATH "\$ORIGIN/../..")
    if(_install)
        install(TARGETS ${name} LIBRARY DESTINATION bin/vekjslib/${A_PACKAGE})
    endif()
endfunction()

# vek_add_program(name [SOURCES f...] [QT module...] [LINKS target...])
function(vek_add_program name)
    cmake_parse_arguments(A "" "" "SOURCES;QT;LINKS" ${ARGN})
    if(NOT A_SOURCES)
        file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
        set(A_SOURCES ${_src})
    endif()
    add_executable(${name} ${A_SOURCES})
    _vek_common(${name})
    _vek_automoc_sees_new_files(${name} "${A_SOURCES}")
    foreach(_m ${A_QT})
        target_link_libraries(${name} PRIVATE Qt5::${_m})
    endforeach()
    target_link_libraries(${name} PRIVATE ${A_LINKS})
    install(TARGETS ${name} RUNTIME DESTINATION bin)
endfunction()

# The Qt modules whose usage requirements reach a target through the items
# of ITEMS (targets, followed through their interface link libraries).
function(_vek_qt_modules out)
    set(_seen "")
    set(_mods "")
    set(_todo ${ARGN})
    while(_todo)
        list(POP_FRONT _todo _item)
        if(NOT TARGET "${_item}" OR _item IN_LIST _seen)
            continue()
        endif()
        list(APPEND _seen ${_item})
        get_target_property(_alias ${_item} ALIASED_TARGET)
        if(_alias)
            list(APPEND _todo ${_alias})
            continue()
        endif()
        if(_item MATCHES "^Qt5::(.+)$")
            list(APPEND _mods ${CMAKE_MATCH_1})
        endif()
        get_target_property(_deps ${_item} INTERFACE_LINK_LIBRARIES)
        if(_deps)
            list(APPEND _todo ${_deps})
        endif()
    endwhile()
    list(REMOVE_DUPLICATES _mods)
    list(SORT _mods)
    set(${out} ${_mods} PARENT_SCOPE)
endfunction()

# Tests and benchmarks reuse one precompiled header per set of Qt modules: a
# header precompiled with other QT_*_LIB macros than the program's would be
# refused by the compiler (or, worse, change what QTEST_MAIN builds).
function(_vek_test_pch target)
    if(NOT VEK_USE_PCH)
        return()
    endif()
    _vek_qt_modules(_mods Qt5::Test ${ARGN})
    string(JOIN "_" _key ${_mods})
    set(_host vek_test_pch_${_key})
    if(NOT TARGET ${_host})
        set(_stub ${CMAKE_BINARY_DIR}/vek_test_pch/${_key}.cpp)
        if(NOT EXISTS ${_stub})
            file(WRITE ${_stub} "// Holds the precompiled test header for the Qt modules ${_mods}.\n")
        endif()
        add_library(${_host} OBJECT EXCLUDE_FROM_ALL ${_stub})
        _vek_common(${_host})
        set_target_properties(${_host} PROPERTIES AUTOMOC OFF AUTORCC OFF)
        foreach(_m ${_mods})
            target_link_libraries(${_host} PRIVATE Qt5::${_m})
        endforeach()
        target_precompile_headers(${_host} PRIVATE ${VEK_TEST_PCH_HEADER})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${_host})
endfunction()

# vek_add_test(tst_name LINKS target... [SOURCES f...] [NEEDS_X] [TIMEOUT s] [ENV K=V...])
# The CTest label is the name of the folder the test sits in (the deliverable).
# Widget tests run on the offscreen platform; NEEDS_X ones on the Xvfb display
# that scripts/test.sh starts, one at a time.
function(vek_add_test name)
    cmake_parse_arguments(A "NEEDS_X" "TIMEOUT" "SOURCES;LINKS;ENV" ${ARGN})
    if(NOT A_SOURCES)
        set(A_SOURCES ${name}.cpp)
    endif()
    add_executable(${name} ${A_SOURCES})
    _vek_common(${name})
    target_link_libraries(${name} PRIVATE Qt5::Test ${A_LINKS})
    _vek_test_pch(${name} ${A_LINKS})
    target_compile_definitions(${name} PRIVATE
        VEK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
        VEK_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
        VEK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    get_filename_component(_label ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT 300)
    endif()
    set(_env "LANG=C.UTF-8" "LC_ALL=C.UTF-8" "QT_QPA_PLATFORM=offscreen" ${A_ENV})
    if(A_NEEDS_X)
        set(_env "LANG=C.UTF-8" "LC_ALL=C.UTF-8" "QT_QPA_PLATFORM=xcb" "VEK_NEEDS_X=1" ${A_ENV})
        list(APPEND _label needs_x)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS "${_label}" TIMEOUT ${A_TIMEOUT} ENVIRONMENT "${_env}")
    if(A_NEEDS_X)
        # One screen for all of them: a window of one test over another's
        # grab, or stealing its focus, would make both fail at random.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK vek_x_display)
    endif()
endfunction()

# vek_add_bench(bench_name LINKS target... [SOURCES f...]): run on demand, never by CTest.
function(vek_add_bench name)
    cmake_parse_arguments(A "" "" "SOURCES;LINKS" ${ARGN})
    if(NOT A_SOURCES)
        set(A_SOURCES ${name}.cpp)
    endif()
    add_executable(${name} ${A_SOURCES})
    _vek_common(${name})
    target_link_libraries(${name} PRIVATE Qt5::Test ${A_LINKS})
    _vek_test_pch(${name} ${A_LINKS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
