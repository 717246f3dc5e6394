# Boost is used header-only (Regex, Lexical Cast): target tolv_boost carries the include path.
add_library(tolv_boost INTERFACE)
if(CMAKE_CROSSCOMPILING AND MINGW)
    # The host's /usr/include cannot go on a MinGW include path whole (glibc's headers
    # would shadow MinGW's), so the host's boost/ folder alone is exposed through a link.
    find_path(TOLV_HOST_BOOST_INCLUDE boost/version.hpp
        PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT TOLV_HOST_BOOST_INCLUDE)
        message(FATAL_ERROR "Boost headers not found in /usr/include (a Debian package libboost1.NN-dev, NN 76 or later)")
    endif()
    file(STRINGS ${TOLV_HOST_BOOST_INCLUDE}/boost/version.hpp _boost_version REGEX "define BOOST_VERSION ")
    string(REGEX MATCH "[0-9]+" _boost_version "${_boost_version}")
    # Regex is header-only from 1.76 on.
    if(_boost_version LESS 107600)
        message(FATAL_ERROR "Boost 1.76 or later is needed, found ${_boost_version}")
    endif()
    set(_boost_view ${CMAKE_BINARY_DIR}/boost-include)
    file(MAKE_DIRECTORY ${_boost_view})
    file(CREATE_LINK ${TOLV_HOST_BOOST_INCLUDE}/boost ${_boost_view}/boost SYMBOLIC)
    target_include_directories(tolv_boost SYSTEM INTERFACE ${_boost_view})
else()
    find_package(Boost 1.76 REQUIRED)
    target_link_libraries(tolv_boost INTERFACE Boost::headers)
endif()
