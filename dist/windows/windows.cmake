# The Windows program: a GUI program (no console window) whose icons and version are in
# a resource, made from the same drawings and the same project(VERSION) as on Linux.
enable_language(RC)
# ImageMagick's own name first: any other "convert" on the path may not keep transparency.
find_program(ENSHUKAKU_IMAGEMAGICK NAMES convert-im6.q16 convert-im6 convert REQUIRED)
set(windows_out ${ENSHUKAKU_DIST_OUT}/windows)

# The program's icon from the drawn PNGs; the lesson file's icon from its drawing.
set(program_ico ${windows_out}/enshukaku.ico)
set(program_pngs "")
foreach(size 16 32 48 64 128 256)
    list(APPEND program_pngs ${ENSHUKAKU_DIST_OUT}/icons/hicolor/${size}x${size}/apps/enshukaku.png)
endforeach()
add_custom_command(
    OUTPUT ${program_ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${windows_out}
    COMMAND ${ENSHUKAKU_IMAGEMAGICK} ${program_pngs} ${program_ico}
    DEPENDS ${program_pngs}
    COMMENT "Making the program's Windows icon"
    VERBATIM)

set(lesson_ico ${windows_out}/enshukaku-lesson.ico)
set(lesson_pngs "")
foreach(size 16 32 48 256)
    set(png ${windows_out}/lesson-${size}.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${windows_out}
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                ${ENSHUKAKU_DIST}/application-x-enshukaku-lesson.svg
        DEPENDS ${ENSHUKAKU_DIST}/application-x-enshukaku-lesson.svg
        VERBATIM)
    list(APPEND lesson_pngs ${png})
endforeach()
add_custom_command(
    OUTPUT ${lesson_ico}
    COMMAND ${ENSHUKAKU_IMAGEMAGICK} ${lesson_pngs} ${lesson_ico}
    DEPENDS ${lesson_pngs}
    COMMENT "Making the lesson file's Windows icon"
    VERBATIM)

set(ENSHUKAKU_PROGRAM_ICO ${program_ico})
set(ENSHUKAKU_LESSON_ICO ${lesson_ico})
configure_file(${ENSHUKAKU_DIST}/windows/enshukaku.rc.in ${windows_out}/enshukaku.rc @ONLY)
set_source_files_properties(${windows_out}/enshukaku.rc PROPERTIES OBJECT_DEPENDS
                                                                   "${program_ico};${lesson_ico}")
target_sources(enshukaku PRIVATE ${windows_out}/enshukaku.rc)
set_target_properties(enshukaku PROPERTIES WIN32_EXECUTABLE ON)
