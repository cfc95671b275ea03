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

# gold links the test programs about four times faster than the default
# linker; where the toolchain has none, the default one is used.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=gold VEK_HAS_GOLD)
if(VEK_HAS_GOLD)
    add_link_options(-fuse-ld=gold)
endif()

set(VEK_WARNINGS -Wall -Wextra -Wshadow -Wsuggest-override -Wzero-as-null-pointer-constant)
set(VEK_PCH_HEADER ${CMAKE_CURRENT_LIST_DIR}/vek_pch.h)
set(VEK_TEST_PCH_HEADER ${CMAKE_CURRENT_LIST_DIR}/vek_test_pch.h)

function(_vek_common target)
    target_compile_options(${target} PRIVATE ${VEK_WARNINGS})
    # No implicit conversions between byte arrays and text, and string
    # concatenation built in one allocation.
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_NO_CAST_FROM_BYTEARRAY QT_USE_QSTRINGBUILDER
                                                   QT_STRICT_ITERATORS)
    if(VEK_BUILD_TESTS OR VEK_BUILD_BENCH)
        # Classes marked for the tests only (see tautotestexport.h) are
        # exported by the libraries when tests or benchmarks are built.
        target_compile_definitions(${target} PRIVATE VEK_BUILD_AUTOTEST_EXPORTS)
    endif()
    set_target_properties(${target} PROPERTIES
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
        BUILD_RPATH "\$ORIGIN;${CMAKE_BINARY_DIR}/bin" INSTALL_RPATH "\$ORIGIN")
endfunction()

# The product's own code (libraries, plug-ins, programs) says which encoding
# every 8-bit text is in; the tests, benchmarks and fuzz targets, which are
# mostly literals, may let Qt read them as UTF-8.
function(_vek_product_code target)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII)
endfunction()

# Undefined symbols in a shared library are found when it is linked, not when
# a host loads it. Sanitizer runtimes are linked into the programs only.
set(VEK_NO_UNDEFINED ON)
if(VEK_SANITIZE OR VEK_LIBFUZZER OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    set(VEK_NO_UNDEFINED OFF)
endif()

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

# Folders below DIR that hold headers: the library's own include path.
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

# The headers a library shows its users: all but the private *_p.h ones and
# those of classes exported for the tests only, which are no API (what a host
# could link against would depend on whether the framework was built with
# tests).
function(_vek_public_headers out)
    set(_pub ${ARGN})
    list(FILTER _pub INCLUDE REGEX "\\.h$")
    list(FILTER _pub EXCLUDE REGEX "_p\\.h$")
    foreach(_h ${_pub})
        file(STRINGS ${_h} _autotest REGEX "^class VEK_AUTOTEST_EXPORT\\(")
        if(_autotest)
            list(REMOVE_ITEM _pub ${_h})
        endif()
    endforeach()
    set(${out} ${_pub} PARENT_SCOPE)
endfunction()

# Fills DIR with one forwarding header per public header, the way an installed
# tree has them in one folder, and drops those of headers gone since.
function(_vek_forward_headers dir)
    file(GLOB _stale ${dir}/*.h)
    foreach(_h ${ARGN})
        get_filename_component(_n ${_h} NAME)
        file(CONFIGURE OUTPUT ${dir}/${_n} CONTENT "#include \"${_h}\"\n")
        list(REMOVE_ITEM _stale ${dir}/${_n})
    endforeach()
    list(FILTER _stale EXCLUDE REGEX "_export\\.h$")
    if(_stale)
        file(REMOVE ${_stale})
    endif()
endfunction()

# The targets reached from ITEMS (targets, followed through aliases and their
# interface link libraries), each once, aliases replaced by what they name.
function(_vek_link_closure out)
    set(_seen "")
    set(_reached "")
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
        list(APPEND _reached ${_item})
        get_target_property(_deps ${_item} INTERFACE_LINK_LIBRARIES)
        if(_deps)
            list(APPEND _todo ${_deps})
        endif()
    endwhile()
    set(${out} ${_reached} PARENT_SCOPE)
endfunction()

# Tests, benchmarks and fuzz targets reach the private and test-only headers
# of every framework library among ITEMS and the libraries these link.
function(_vek_reach_privates target)
    _vek_link_closure(_reached ${ARGN})
    foreach(_item ${_reached})
        get_target_property(_dirs ${_item} VEK_SOURCE_INCLUDE_DIRS)
        if(_dirs)
            target_include_directories(${target} PRIVATE ${_dirs})
        endif()
    endforeach()
endfunction()

# vek_add_library(name [FOLDERS dir...] [QT module...] [PRIVATE_QT module...]
#                 [LINKS target...] [PRIVATE_LINKS target...])
# Every .cpp/.h/.qrc below the current folder (or below the FOLDERS given, when
# one folder holds several libraries) belongs to the library, so a new class
# needs no build change. The export header is <name>_export.h with the
# macro <NAME>_EXPORT. QT and LINKS are what the public headers need (users of
# the library get them too); PRIVATE_QT and PRIVATE_LINKS only its sources.
# Installed: the library into bin/ beside the programs and plug-ins, its public
# headers (_vek_public_headers) into include/vek/<name>/, and the target into
# the Vek package as Vek::<name> (the same alias works inside this build).
# Users inside the build see the same public headers, through forwarding
# headers in <build>/include/vek/<name>/; the library's own folders are its
# private include path, which tests and benchmarks reach too.
function(vek_add_library name)
    cmake_parse_arguments(A "" "" "FOLDERS;QT;PRIVATE_QT;LINKS;PRIVATE_LINKS" ${ARGN})
    set(_roots ${CMAKE_CURRENT_SOURCE_DIR})
    if(A_FOLDERS)
        list(TRANSFORM A_FOLDERS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE _roots)
    endif()
    set(_src "")
    set(_inc "")
    foreach(_root ${_roots})
        file(GLOB_RECURSE _found CONFIGURE_DEPENDS ${_root}/*.cpp ${_root}/*.h ${_root}/*.qrc)
        list(APPEND _src ${_found})
        _vek_header_dirs(_dirs ${_root})
        list(APPEND _inc ${_dirs})
    endforeach()
    add_library(${name} SHARED ${_src})
    add_library(Vek::${name} ALIAS ${name})
    _vek_common(${name})
    _vek_product_code(${name})
    if(VEK_NO_UNDEFINED)
        target_link_options(${name} PRIVATE LINKER:--no-undefined)
    endif()
    # Calls between a library's own exported functions bind inside the
    # library, as in Qt's own libraries: no PLT entry and no symbol lookup
    # for them when a program loads the library. Qt's headers already demand
    # position-independent users, which this needs. (ELF linkers only; DLL
    # exports bind this way anyway.)
    if(UNIX AND NOT APPLE)
        target_link_options(${name} PRIVATE LINKER:-Bsymbolic-functions)
    endif()
    set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
    _vek_automoc_sees_new_files(${name} "${_src}")
    set(_pubdir ${CMAKE_BINARY_DIR}/include/vek/${name})
    generate_export_header(${name} EXPORT_FILE_NAME ${_pubdir}/${name}_export.h)
    _vek_public_headers(_pub ${_src})
    _vek_forward_headers(${_pubdir} ${_pub})
    target_include_directories(${name} PRIVATE ${_inc})
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${_pubdir}> $<INSTALL_INTERFACE:include/vek/${name}>)
    set_target_properties(${name} PROPERTIES VEK_SOURCE_INCLUDE_DIRS "${_inc}")
    foreach(_m ${A_QT})
        target_link_libraries(${name} PUBLIC Qt5::${_m})
    endforeach()
    foreach(_m ${A_PRIVATE_QT})
        target_link_libraries(${name} PRIVATE Qt5::${_m})
    endforeach()
    target_link_libraries(${name} PUBLIC ${A_LINKS} PRIVATE ${A_PRIVATE_LINKS})
    if(VEK_USE_PCH)
        target_precompile_headers(${name} PRIVATE ${VEK_PCH_HEADER})
    endif()
    # What the package config needs to find for this library alone.
    set_property(GLOBAL APPEND PROPERTY VEK_LIBRARIES ${name})
    set_property(GLOBAL PROPERTY VEK_QT_OF_${name} ${A_QT})
    set_property(GLOBAL PROPERTY VEK_LINKS_OF_${name} ${A_LINKS})
    install(TARGETS ${name} EXPORT VekTargets
        LIBRARY DESTINATION bin RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
    install(FILES ${_pub} ${_pubdir}/${name}_export.h DESTINATION include/vek/${name})
endfunction()

# The package that find_package(Vek) reads from an installed tree: the
# exported library targets and, per library, the public Qt modules and
# framework libraries it needs, so that a host finds only the Qt modules of
# the libraries it asks for (find_package(Vek COMPONENTS ...); all without).
# Called once, after the last library.
function(vek_install_package)
    include(CMakePackageConfigHelpers)
    get_property(_libs GLOBAL PROPERTY VEK_LIBRARIES)
    set(VEK_LIBRARY_NEEDS "")
    foreach(_lib ${_libs})
        get_property(_qt GLOBAL PROPERTY VEK_QT_OF_${_lib})
        get_property(_links GLOBAL PROPERTY VEK_LINKS_OF_${_lib})
        list(FILTER _links INCLUDE REGEX "^vek")
        string(JOIN " " _qt ${_qt})
        string(JOIN " " _links ${_links})
        string(APPEND VEK_LIBRARY_NEEDS "set(_vek_qt_of_${_lib} ${_qt})\nset(_vek_links_of_${_lib} ${_links})\n")
    endforeach()
    string(JOIN " " VEK_LIBRARIES ${_libs})
    set(_dir lib/cmake/Vek)
    configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/VekConfig.cmake.in
        ${PROJECT_BINARY_DIR}/VekConfig.cmake INSTALL_DESTINATION ${_dir})
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/VekConfigVersion.cmake
        VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
    install(EXPORT VekTargets NAMESPACE Vek:: DESTINATION ${_dir})
    install(FILES ${PROJECT_BINARY_DIR}/VekConfig.cmake ${PROJECT_BINARY_DIR}/VekConfigVersion.cmake
        DESTINATION ${_dir})
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
    _vek_product_code(${name})
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
    _vek_product_code(${name})
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
    _vek_link_closure(_reached ${ARGN})
    set(_mods "")
    foreach(_item ${_reached})
        if(_item MATCHES "^Qt5::(.+)$")
            list(APPEND _mods ${CMAKE_MATCH_1})
        endif()
    endforeach()
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
        _vek_test_debug_info(${_host})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${_host})
    # Tests include their own moc file, so automoc's compilation unit is
    # empty: loading the precompiled header for it alone would cost a second.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
        PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# Tests and benchmarks keep line tables only (enough for backtraces with
# file and line); full debug information made up a fifth of their compile
# time. The libraries keep what the build type gives them.
function(_vek_test_debug_info target)
    target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo>:-g1>)
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
    _vek_reach_privates(${name} ${A_LINKS})
    _vek_test_pch(${name} ${A_LINKS})
    _vek_test_debug_info(${name})
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
    _vek_reach_privates(${name} ${A_LINKS})
    _vek_test_pch(${name} ${A_LINKS})
    _vek_test_debug_info(${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
