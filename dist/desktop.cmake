# The program as a desktop knows it: the menu entry, the icons, the lesson file type, the AppStream
# metadata, the manual page and the licence, and their install rules.
include(GNUInstallDirs)

set(ENSHUKAKU_APP_ID io.github.enshukaku.enshukaku)
set(ENSHUKAKU_HOMEPAGE "https://github.com/enshukaku/enshukaku" CACHE STRING "The project's public address")
set(ENSHUKAKU_SCREENSHOT_URL "${ENSHUKAKU_HOMEPAGE}/raw/main/docs/initial-screen.png")
set(ENSHUKAKU_DIST ${CMAKE_SOURCE_DIR}/dist)
set(ENSHUKAKU_DIST_OUT ${CMAKE_BINARY_DIR}/dist)

target_compile_definitions(enshukaku_lib PUBLIC ENSHUKAKU_VERSION="${PROJECT_VERSION}"
                                                ENSHUKAKU_APP_ID="${ENSHUKAKU_APP_ID}")

# The changelog's newest entry names the version the package is built as.
file(STRINGS ${ENSHUKAKU_DIST}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^enshukaku \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "dist/changelog starts with '${changelog_head}', not version ${PROJECT_VERSION}")
endif()

# PNG icons drawn from the SVG, laid out as in the hicolor theme; the window takes
# them from the program's resources.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_pngs "")
foreach(size 48 128 256)
    set(png ${ENSHUKAKU_DIST_OUT}/icons/hicolor/${size}x${size}/apps/enshukaku.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ENSHUKAKU_DIST_OUT}/icons/hicolor/${size}x${size}/apps
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ENSHUKAKU_DIST}/enshukaku.svg
        DEPENDS ${ENSHUKAKU_DIST}/enshukaku.svg
        COMMENT "Drawing the ${size} px icon"
        VERBATIM)
    list(APPEND icon_pngs ${png})
endforeach()
qt_add_resources(enshukaku_lib "icons" PREFIX "/icons" BASE ${ENSHUKAKU_DIST_OUT}/icons FILES ${icon_pngs})

configure_file(${ENSHUKAKU_DIST}/${ENSHUKAKU_APP_ID}.metainfo.xml.in
               ${ENSHUKAKU_DIST_OUT}/${ENSHUKAKU_APP_ID}.metainfo.xml @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp.
find_program(GZIP gzip REQUIRED)
set(gzipped "")
foreach(file enshukaku.1 changelog)
    add_custom_command(
        OUTPUT ${ENSHUKAKU_DIST_OUT}/${file}.gz
        COMMAND ${GZIP} -9 -n -c ${ENSHUKAKU_DIST}/${file} > ${ENSHUKAKU_DIST_OUT}/${file}.gz
        DEPENDS ${ENSHUKAKU_DIST}/${file}
        VERBATIM)
    list(APPEND gzipped ${ENSHUKAKU_DIST_OUT}/${file}.gz)
endforeach()
add_custom_target(enshukaku_dist ALL DEPENDS ${gzipped})

# Read-only relocations once loaded, as Debian builds its programs.
target_link_options(enshukaku PRIVATE -Wl,-z,relro -Wl,-z,now)

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
install(FILES ${ENSHUKAKU_DIST_OUT}/enshukaku.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ENSHUKAKU_DIST}/copyright ${ENSHUKAKU_DIST_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
