# Tolvane's pictures and icons, drawn in the SVG files beside this one (a designer edits those;
# nothing here draws).
#
#   tolvane_pictures(<dir> <outputs_var> [WINDOWS])
#       Renders them into <dir>, as the Qt program loads them: images/<picture>.png and
#       icons/<window>_32.png, icons/<window>_16.png. With WINDOWS also what tolvane.rc takes:
#       <picture>.bmp and <window>.ico. <outputs_var> gets every file made, for a target to
#       depend on. Each picture's size is its SVG's; the windows expect:
#         splash       461 x 220, full colour   the splash window's background
#         about        320 x 200, full colour   the about window's picture
#         shortcut     150 x  72, 256 colours   the main window's shortcut picture
#         quillet_egg  400 x 300, 256 colours   the hidden picture
#       and each window icon is 16 colours in 32 x 32 (and 16 x 16, but the main window's).
include_guard(GLOBAL)
include(Pictures)

set(TOLVANE_PICTURES_SOURCE ${CMAKE_CURRENT_LIST_DIR})

function(tolvane_pictures dir outputs_var)
    cmake_parse_arguments(PARSE_ARGV 2 arg "WINDOWS" "" "")
    set(src ${TOLVANE_PICTURES_SOURCE})
    set(outputs)
    foreach(picture splash:full about:full shortcut:256 quillet_egg:256)
        string(REPLACE ":" ";" picture ${picture})
        list(GET picture 0 name)
        list(GET picture 1 colours)
        set(bmp)
        if(arg_WINDOWS)
            set(bmp BMP ${dir}/${name}.bmp)
            list(APPEND outputs ${dir}/${name}.bmp)
        endif()
        pcu_render_picture(${src}/${name}.svg ${dir}/images/${name}.png COLOURS ${colours} ${bmp})
        list(APPEND outputs ${dir}/images/${name}.png)
    endforeach()
    foreach(window form1 changedir help about splash)
        set(sizes 32 16)
        if(window STREQUAL "form1")
            set(sizes 32)
        endif()
        set(pngs)
        foreach(size ${sizes})
            set(png ${dir}/icons/${window}_${size}.png)
            pcu_render_picture(${src}/icons/${window}_${size}.svg ${png} COLOURS 16)
            list(APPEND pngs ${png})
        endforeach()
        list(APPEND outputs ${pngs})
        if(arg_WINDOWS)
            pcu_render_icon(${dir}/${window}.ico ${pngs})
            list(APPEND outputs ${dir}/${window}.ico)
        endif()
    endforeach()
    set(${outputs_var} ${outputs} PARENT_SCOPE)
endfunction()
