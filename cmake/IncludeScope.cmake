# tolv_include_scope(<target> <path>...)
# Gives <target> an include directory that holds only the listed folders and files of the
# source tree, under their own names ("engine/...", "flib/Owned.h"), so that an include the
# layers do not allow fails to compile. Each library lists its own folder and what lies
# below it; upper layers list everything their includes reach through lower headers.
function(tolv_include_scope target)
    set(scope ${CMAKE_BINARY_DIR}/include-scope/${target})
    # Made anew at every configure, so a path taken off the list is gone from the scope.
    file(REMOVE_RECURSE ${scope})
    foreach(path IN LISTS ARGN)
        get_filename_component(parent ${scope}/${path} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${scope}/${path} SYMBOLIC RESULT linked)
        if(NOT linked EQUAL 0)
            # Windows without the right to make symbolic links: build on the whole tree;
            # the cross build still checks the layers.
            message(STATUS "${target}: no include scope (${linked}); using the source root")
            target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
            return()
        endif()
    endforeach()
    target_include_directories(${target} PRIVATE ${scope})
endfunction()
