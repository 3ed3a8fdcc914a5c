# Pictures and icons drawn as SVG files, rendered at build time into what each program loads:
# librsvg's rsvg-convert draws the SVG, ImageMagick reduces its colours and writes the Windows
# formats.
#
#   pcu_render_picture(<svg> <png> COLOURS full|256|16 [SIZE <pixels>] [BMP <bmp>])
#       Draws <svg> into <png>, at the size the SVG gives or SIZE x SIZE pixels:
#         full  24-bit colour, as drawn;
#         256   a palette of at most 256 colours, opaque, no dithering;
#         16    an icon: the sixteen VGA colours (each pixel becomes the nearest one) and each
#               pixel either opaque or transparent (half-transparent pixels count as opaque).
#       BMP also writes the picture as an uncompressed Windows 3 bitmap (BITMAPINFOHEADER;
#       24-bit for full, a palette of at most 256 colours for 256), as a Windows 95 resource
#       script takes it.
#   pcu_render_icon(<ico> <png>...)
#       A Windows 95 icon file, one image per PNG (made with COLOURS 16): 4 bits per pixel
#       with a 16-colour palette, transparency in the AND mask, no PNG-compressed images.
#
# Every output is the same bytes on every run (no time stamps in ImageMagick's PNGs).
include_guard(GLOBAL)

find_program(PCU_RSVG_CONVERT rsvg-convert REQUIRED)
# Debian's own name for ImageMagick's convert first, so that no other `convert` on PATH is taken.
find_program(PCU_IMAGEMAGICK NAMES convert-im6.q16 convert REQUIRED)

# The pictures' text is drawn in these families; a missing one would silently fall back to
# another font and change the look, so it stops the configuration instead.
find_program(PCU_FC_MATCH fc-match REQUIRED)
foreach(family "DejaVu Sans" "DejaVu Serif" "Liberation Serif")
    execute_process(COMMAND ${PCU_FC_MATCH} -f "%{family}" "${family}"
                    OUTPUT_VARIABLE matched RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT matched MATCHES "(^|,)${family}(,|$)")
        message(FATAL_ERROR "The font \"${family}\" the pictures are drawn with is not "
                            "installed (fc-match gives \"${matched}\"); scripts/ensure-packages.sh "
                            "installs it.")
    endif()
endforeach()

# The sixteen VGA colours and the transparent one, as a palette image for ImageMagick's -remap.
function(pcu_vga_palette out_var)
    set(palette ${CMAKE_CURRENT_BINARY_DIR}/vga_palette.png)
    get_property(made DIRECTORY PROPERTY PCU_VGA_PALETTE_MADE)
    if(NOT made)
        set(colours)
        foreach(rgb 000000 800000 008000 808000 000080 800080 008080 c0c0c0
                    808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff)
            list(APPEND colours xc:\#${rgb})
        endforeach()
        add_custom_command(OUTPUT ${palette}
            COMMAND ${PCU_IMAGEMAGICK} -size 1x1 ${colours} xc:none +append
                    -define png:exclude-chunks=date,time PNG32:${palette}
            VERBATIM)
        set_property(DIRECTORY PROPERTY PCU_VGA_PALETTE_MADE ON)
    endif()
    set(${out_var} ${palette} PARENT_SCOPE)
endfunction()

function(pcu_render_picture svg png)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "COLOURS;SIZE;BMP" "")
    set(size)
    if(arg_SIZE)
        set(size -w ${arg_SIZE} -h ${arg_SIZE})
    endif()
    get_filename_component(dir ${png} DIRECTORY)
    if(arg_COLOURS STREQUAL "full")
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND ${PCU_RSVG_CONVERT} ${size} -o ${png} ${svg}
            DEPENDS ${svg}
            VERBATIM)
        set(bmp_type -alpha off -type TrueColor)
    else()
        set(palette)
        if(arg_COLOURS STREQUAL "256")
            set(reduce -alpha off +dither -colors 256)
        elseif(arg_COLOURS STREQUAL "16")
            pcu_vga_palette(palette)
            set(reduce -channel A -threshold 50% +channel +dither -remap ${palette})
        else()
            message(FATAL_ERROR "pcu_render_picture: COLOURS full, 256 or 16, not '${arg_COLOURS}'")
        endif()
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND ${PCU_RSVG_CONVERT} ${size} -o ${png}.drawn.png ${svg}
            COMMAND ${PCU_IMAGEMAGICK} ${png}.drawn.png ${reduce}
                    -define png:exclude-chunks=date,time PNG8:${png}
            COMMAND ${CMAKE_COMMAND} -E rm ${png}.drawn.png
            DEPENDS ${svg} ${palette}
            VERBATIM)
        set(bmp_type -type Palette)
    endif()
    if(arg_BMP)
        add_custom_command(OUTPUT ${arg_BMP}
            COMMAND ${PCU_IMAGEMAGICK} ${png} ${bmp_type} -compress None BMP3:${arg_BMP}
            DEPENDS ${png}
            VERBATIM)
    endif()
endfunction()

function(pcu_render_icon ico)
    add_custom_command(OUTPUT ${ico}
        COMMAND ${PCU_IMAGEMAGICK} ${ARGN} -type PaletteAlpha -compress None ICO:${ico}
        DEPENDS ${ARGN}
        VERBATIM)
endfunction()
