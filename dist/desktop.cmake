# The program as a desktop knows it: the menu entry, the icons, the lesson file type, the AppStream
# metadata and the manual page, and their install rules (debian/ packages them).
include(GNUInstallDirs)

set(ENSHUKAKU_APP_ID io.github.enshukaku.enshukaku)
set(ENSHUKAKU_HOMEPAGE "https://github.com/enshukaku/enshukaku" CACHE STRING "The project's public address")
set(ENSHUKAKU_SCREENSHOT_URL "${ENSHUKAKU_HOMEPAGE}/raw/main/docs/initial-screen.png")
set(ENSHUKAKU_DIST ${CMAKE_SOURCE_DIR}/dist)
set(ENSHUKAKU_DIST_OUT ${CMAKE_BINARY_DIR}/dist)

target_compile_definitions(enshukaku_lib PUBLIC ENSHUKAKU_VERSION="${PROJECT_VERSION}"
                                                ENSHUKAKU_APP_ID="${ENSHUKAKU_APP_ID}")

include(${ENSHUKAKU_DIST}/version.cmake)

# PNG icons laid out as in the hicolor theme; the window takes them from the
# program's resources too. The sizes up to 64 px have drawings of their own, with
# strokes on whole pixels and, below 48 px, fewer parts; the larger ones are drawn
# from the full icon.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(ENSHUKAKU_ICON_SIZES 16 22 32 48 64 128 256)
set(icon_pngs "")
foreach(size ${ENSHUKAKU_ICON_SIZES})
    set(svg ${ENSHUKAKU_DIST}/icons/enshukaku-${size}.svg)
    if(NOT EXISTS ${svg})
        set(svg ${ENSHUKAKU_DIST}/enshukaku.svg)
    endif()
    set(png ${ENSHUKAKU_DIST_OUT}/icons/hicolor/${size}x${size}/apps/enshukaku.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ENSHUKAKU_DIST_OUT}/icons/hicolor/${size}x${size}/apps
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
        DEPENDS ${svg}
        COMMENT "Drawing the ${size} px icon"
        VERBATIM)
    list(APPEND icon_pngs ${png})
endforeach()
qt_add_resources(enshukaku_lib "icons" PREFIX "/icons" BASE ${ENSHUKAKU_DIST_OUT}/icons FILES ${icon_pngs})

configure_file(${ENSHUKAKU_DIST}/${ENSHUKAKU_APP_ID}.metainfo.xml.in
               ${ENSHUKAKU_DIST_OUT}/${ENSHUKAKU_APP_ID}.metainfo.xml @ONLY)

configure_file(${ENSHUKAKU_DIST}/enshukaku.1.in ${ENSHUKAKU_DIST_OUT}/enshukaku.1 @ONLY)

# The package's own tools compress the manual page and add the changelog and the
# copyright; the installed program finds its libraries on the system's path only.
set_target_properties(enshukaku PROPERTIES INSTALL_RPATH "")
install(TARGETS enshukaku RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ENSHUKAKU_DIST}/${ENSHUKAKU_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ENSHUKAKU_DIST_OUT}/${ENSHUKAKU_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ENSHUKAKU_DIST}/enshukaku.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${ENSHUKAKU_DIST_OUT}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The lesson file's type, so that a double-click opens a lesson, and its icon.
install(FILES ${ENSHUKAKU_DIST}/enshukaku-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME enshukaku.xml)
install(FILES ${ENSHUKAKU_DIST}/application-x-enshukaku-lesson.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
install(FILES ${ENSHUKAKU_DIST_OUT}/enshukaku.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
