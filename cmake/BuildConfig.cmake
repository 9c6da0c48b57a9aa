# One place for the language standard, Qt's strictness switches and warnings, shared by every target.
add_library(quen_build_config INTERFACE)
target_compile_features(quen_build_config INTERFACE cxx_std_20)
target_compile_definitions(quen_build_config INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    QUEN_VERSION="${PROJECT_VERSION}")
target_compile_options(quen_build_config INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()
