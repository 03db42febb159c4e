# One INTERFACE target carries the language level, warnings and sanitizer flags
# for every target of the project.
add_library(kavendix_options INTERFACE)
target_compile_features(kavendix_options INTERFACE cxx_std_20)
target_compile_options(kavendix_options INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
if(KAVENDIX_WERROR)
    target_compile_options(kavendix_options INTERFACE -Werror)
endif()
if(KAVENDIX_SANITIZE)
    target_compile_options(kavendix_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                      -fno-sanitize-recover=undefined)
    target_link_options(kavendix_options INTERFACE -fsanitize=address,undefined)
endif()
target_compile_definitions(kavendix_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)

# Hardening (on by default in Release builds, and in the package): fortified
# libc calls, stack protector, read-only relocations bound at start, and
# position-independent executables.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
    set(_hardening_default ON)
else()
    set(_hardening_default OFF)
endif()
option(KAVENDIX_HARDENING "Build hardened binaries (FORTIFY, stack protector, RELRO, BIND_NOW, PIE)"
       ${_hardening_default})
if(KAVENDIX_HARDENING AND NOT KAVENDIX_SANITIZE AND NOT KAVENDIX_FUZZ)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    target_compile_options(kavendix_options INTERFACE -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2
                                                      -fstack-protector-strong)
    # What Debian's own builds add where the compiler knows it.
    include(CheckCXXCompilerFlag)
    foreach(flag -fstack-clash-protection -fcf-protection)
        string(MAKE_C_IDENTIFIER "KAVENDIX_HAS${flag}" _has)
        check_cxx_compiler_flag(${flag} ${_has})
        if(${_has})
            target_compile_options(kavendix_options INTERFACE ${flag})
        endif()
    endforeach()
    target_link_options(kavendix_options INTERFACE -Wl,-z,relro,-z,now)
endif()

if(KAVENDIX_FUZZ)
    # Everything is instrumented for coverage; only the fuzz targets link the driver.
    target_compile_options(kavendix_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                      -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(kavendix_options INTERFACE -fsanitize=address,undefined)
endif()

find_package(Threads REQUIRED)
if(KAVENDIX_BUILD_TESTS)
    find_package(GTest REQUIRED)
endif()
find_package(CURL REQUIRED)
find_package(LibXml2 REQUIRED)
find_package(Iconv REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(CLI11 CONFIG REQUIRED)
find_package(nlohmann_json 3 CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
if(KAVENDIX_BUILD_UI)
    find_package(Qt6 REQUIRED COMPONENTS Widgets Test Charts LinguistTools)
endif()
if(KAVENDIX_BUILD_BENCH)
    find_package(benchmark REQUIRED)
endif()

# kavendix_add_gtest(NAME DIR LIBS...): one GoogleTest program from every .cpp in DIR.
function(kavendix_add_gtest name dir)
    file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT _srcs)
        return()
    endif()
    add_executable(${name} ${_srcs})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest_main kavendix_options)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    # The discovered tests take their environment from a launcher: a list given
    # to the ENVIRONMENT property reaches them as its first item only.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
        "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen;KAVENDIX_SOURCE_DIR=${PROJECT_SOURCE_DIR};KAVENDIX_CLI=${CMAKE_BINARY_DIR}/kavendix-cli")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# kavendix_gtest_also_in_russian(NAME): every test of NAME once more under the
# players' locale (ru_RU.UTF-8: decimal comma, Russian dates), as "ru_RU/Test".
function(kavendix_gtest_also_in_russian name)
    if(TARGET ${name})
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_PREFIX "ru_RU/"
                             PROPERTIES ENVIRONMENT "LC_ALL=ru_RU.UTF-8")
    endif()
endfunction()
include(GoogleTest)
