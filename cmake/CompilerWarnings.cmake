# pcu_warnings(<target>): the warning set every target of this repository builds with (GCC and
# Clang, the only compilers it builds with).
function(pcu_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
endfunction()
