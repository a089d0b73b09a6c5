# Warnings are set per target so that third-party code keeps its own settings.
function(bw_target_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast)
    if(BW_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Qt targets also get the strictness macros.
function(bw_qt_target target)
    bw_target_warnings(${target})
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII QT_NO_KEYWORDS QT_NO_FOREACH QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()
