# One version for the program and its package: project(VERSION) in CMakeLists.txt.
# The newest entry of debian/changelog and the newest release in the AppStream
# metadata must name it; the manual page is written with it and that release's date.
# Included when configuring; also runs on its own as
#   cmake -DPROJECT_VERSION=<version> -DSOURCE=<tree> -P dist/version.cmake
# Sets ENSHUKAKU_RELEASE_DATE.
if(NOT SOURCE)
    set(SOURCE ${CMAKE_SOURCE_DIR})
endif()
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")

file(STRINGS ${SOURCE}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^enshukaku \\(${version_pattern}\\) ")
    message(FATAL_ERROR "debian/changelog starts with '${changelog_head}', not version ${PROJECT_VERSION} of "
                        "project(VERSION) in CMakeLists.txt: add its entry (dch -v ${PROJECT_VERSION})")
endif()

file(READ ${SOURCE}/dist/io.github.enshukaku.enshukaku.metainfo.xml.in metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" newest_release "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "the newest <release> in dist/io.github.enshukaku.enshukaku.metainfo.xml.in is "
                        "'${CMAKE_MATCH_1}', not version ${PROJECT_VERSION} of project(VERSION) in CMakeLists.txt")
endif()
set(ENSHUKAKU_RELEASE_DATE ${CMAKE_MATCH_2})
