# The Debian package: cmake -DCMAKE_BUILD_TYPE=Release, build, then cpack in the build folder (README, Installing).
# Its files besides the program come from data/; scripts/package-check.sh builds it and runs lintian on it.

# Release builds are hardened as Debian builds its own packages: the flags dpkg-buildflags gives (fortify, stack
# protector, full RELRO with BIND_NOW). Read from the source folder, so that its file-prefix map makes the paths
# in the program relative to it.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
    find_program(TARVANE_DPKG_BUILDFLAGS dpkg-buildflags)
    if(TARVANE_DPKG_BUILDFLAGS)
        foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
            execute_process(
                COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                        ${TARVANE_DPKG_BUILDFLAGS} --get ${kind}
                WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
            separate_arguments(debian_${kind} UNIX_COMMAND "${flags}")
        endforeach()
        target_compile_options(tarvane_flags INTERFACE ${debian_CPPFLAGS} ${debian_CXXFLAGS})
        target_link_options(tarvane_flags INTERFACE ${debian_LDFLAGS})
    else()
        message(STATUS "dpkg-buildflags not found: a Release build without Debian's hardening flags")
    endif()
endif()

# A stripped install (cpack, cmake --install --strip) also drops the compiler's notes, as Debian's dh_strip does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:tarvane>\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()")

# The Debian revision: the number of the package of one upstream version.
set(TARVANE_DEBIAN_REVISION 1)

# A new version or revision needs its entry in each of these documents.
foreach(check
        "data/debian/changelog|^tarvane \\(${PROJECT_VERSION}-${TARVANE_DEBIAN_REVISION}\\) "
        "data/changelog|^Tarvane ${PROJECT_VERSION} "
        "data/tarvane.1|^\\.TH TARVANE 1 .* \"Tarvane ${PROJECT_VERSION}\""
        "data/tarvane.metainfo.xml.in|<release version=\"${PROJECT_VERSION}\"")
    string(REPLACE "|" ";" check "${check}")
    list(GET check 0 document)
    list(GET check 1 pattern)
    file(STRINGS ${CMAKE_SOURCE_DIR}/${document} found REGEX "${pattern}")
    if(NOT found)
        message(FATAL_ERROR "${document} has no entry for version ${PROJECT_VERSION} (looked for: ${pattern})")
    endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvane)
set(CPACK_PACKAGE_VENDOR "Tarvane Mission Software")
set(CPACK_PACKAGE_CONTACT "Tarvane Mission Software <support@tarvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Paragraphs of at most 79 characters a line; CPack turns the empty lines between them into " .".
file(READ ${CMAKE_SOURCE_DIR}/data/debian/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TARVANE_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # the Qt runtime packages come from the program's own libraries
# Loaded at run time rather than linked, so the libraries above do not name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libflite1")
set(CPACK_STRIP_FILES ON)
# Everything an install puts in place, and the files only a Debian package carries (data/CMakeLists.txt).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};tarvane;ALL;/" "${CMAKE_BINARY_DIR};tarvane;debian;/")
include(CPack)
