# One target carries the definitions and warnings every Quenlap target links.
add_library(quenlap_flags INTERFACE)
target_compile_definitions(quenlap_flags INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_UP_TO=0x060000)
target_compile_options(quenlap_flags INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(QUENLAP_WERROR)
    target_compile_options(quenlap_flags INTERFACE -Werror)
endif()
if(QUENLAP_FUZZ)
    # Every library is instrumented for coverage; only the fuzz targets link libFuzzer's main.
    target_compile_options(quenlap_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(quenlap_flags INTERFACE -fsanitize=address,undefined)
endif()
if(QUENLAP_SANITIZE)
    target_compile_options(quenlap_flags INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quenlap_flags INTERFACE -fsanitize=address,undefined)
endif()

# quenlap_add_library(<subsystem> [DEPS targets...])
# Builds src/<subsystem> into the static library quenlap_<subsystem> from every source in the folder.
function(quenlap_add_library subsystem)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    # A folder's main.cpp is a program's entry, never part of its library.
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(quenlap_${subsystem} STATIC ${sources})
    target_include_directories(quenlap_${subsystem} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(quenlap_${subsystem} PUBLIC quenlap_flags ${ARG_DEPS})
endfunction()

# quenlap_add_tests(<subsystem> LIBS targets...)
# Every tests/<subsystem>/test_*.cpp is one test executable.
function(quenlap_add_tests subsystem)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/support/*.h)
    foreach(test_source ${tests})
        get_filename_component(test_name ${test_source} NAME_WE)
        set(target ${subsystem}_${test_name})
        add_executable(${target} ${test_source} ${helpers})
        target_link_libraries(${target} PRIVATE quenlap_flags quenlap_testsupport Qt6::Test
            ${ARG_LIBS})
        target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}
            ${PROJECT_SOURCE_DIR}/tests)
        target_compile_definitions(${target} PRIVATE
            QUENLAP_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
            QUENLAP_SAMPLES="${PROJECT_SOURCE_DIR}/samples"
            QUENLAP_BIN_DIR="${PROJECT_BINARY_DIR}/bin")
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES TIMEOUT 300
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1")
    endforeach()
endfunction()
