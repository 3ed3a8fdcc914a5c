# pcu_warnings(<target>): the warning set every target of this repository builds with.
function(pcu_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wconversion -Wno-sign-conversion)
    endif()
endfunction()
