# What `cmake --install` lays out and what `cpack -G DEB` packs:
#   bin/Kestrix, bin/kestrix-cli (stripped in the package)
#   share/kestrix/      the skin ("png/"), "VER.bin" and the firmware updater when there is one
#   share/applications/<app id>.desktop, share/icons/hicolor/<size>/apps/kestrix.png
#   share/metainfo/<app id>.metainfo.xml
#   share/man/man1/Kestrix.1.gz, kestrix-cli.1.gz
#   share/bash-completion/completions/kestrix-cli
#   share/doc/kestrix/copyright, changelog.gz
#   lib/udev/rules.d/70-kestrix.rules
# The program finds its share folder from its own folder, so any prefix works; the udev rule is
# only read by udev below /usr/lib or /etc, hence TALVEX_UDEV_RULES_DIR.
include(GNUInstallDirs)

set(TALVEX_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/kestrix)
# Named after the package, where Debian looks for its copyright file and changelog.
set(TALVEX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kestrix)
set(TALVEX_UDEV_RULES_DIR lib/udev/rules.d CACHE STRING
    "Folder for the keyboard's udev rule, relative to the prefix or absolute")

# The rule file is the one source of its text: the program prints it (kestrix-cli udev-rule).
set(TALVEX_UDEV_RULE_NAME 70-kestrix.rules)
set(TALVEX_UDEV_RULE_SOURCE resources/udev/${TALVEX_UDEV_RULE_NAME})
file(READ ${CMAKE_SOURCE_DIR}/${TALVEX_UDEV_RULE_SOURCE} TALVEX_UDEV_RULE_TEXT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/${TALVEX_UDEV_RULE_SOURCE})
file(RELATIVE_PATH TALVEX_SHARE_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/kestrix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/install_layout.h.in
               ${CMAKE_BINARY_DIR}/generated/install_layout.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/build_version.h.in
               ${CMAKE_BINARY_DIR}/generated/build_version.h @ONLY)

# The id desktops know the window by: the desktop entry's and the metainfo's name, and the
# window's Wayland app id.
set(TALVEX_APP_ID org.talvex.kestrix)
set(TALVEX_DESKTOP_ENTRY_SOURCE resources/desktop/${TALVEX_APP_ID}.desktop)
include(${CMAKE_SOURCE_DIR}/cmake/TalvexMetainfo.cmake)
set(TALVEX_METAINFO_FILE ${CMAKE_BINARY_DIR}/${TALVEX_APP_ID}.metainfo.xml)
talvex_write_metainfo(${CMAKE_SOURCE_DIR} ${TALVEX_APP_ID} ${PROJECT_VERSION}
                      ${TALVEX_RELEASE_DATE} "${TALVEX_WEB_ADDRESS}" ${TALVEX_METAINFO_FILE})
target_include_directories(talvex_platform PRIVATE ${CMAKE_BINARY_DIR}/generated)

# The files the keyboard's vendor ships beside the utility go beside the built executables too,
# so an unpacked build behaves as an installed one.
set(TALVEX_FIRMWARE_FILES ${CMAKE_SOURCE_DIR}/resources/firmware/VER.bin)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/firmware/Kestrix_Update)
    list(APPEND TALVEX_FIRMWARE_FILES ${CMAKE_SOURCE_DIR}/resources/firmware/Kestrix_Update)
endif()
foreach(file ${TALVEX_FIRMWARE_FILES})
    get_filename_component(name ${file} NAME)
    configure_file(${file} ${CMAKE_BINARY_DIR}/${name} COPYONLY)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/firmware/VER.bin DESTINATION ${TALVEX_SHARE_DIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/resources/firmware/Kestrix_Update OPTIONAL
        DESTINATION ${TALVEX_SHARE_DIR})

install(TARGETS kestrix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/${TALVEX_UDEV_RULE_SOURCE} DESTINATION ${TALVEX_UDEV_RULES_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/kestrix-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${TALVEX_DOC_DIR})

# Manual pages and the changelog are installed compressed, as Debian wants them; -n leaves the
# name and time out of the header, so the same source gives the same bytes.
set(TALVEX_GZIPPED)
foreach(source resources/man/kestrix-cli.1 resources/man/Kestrix.1 resources/debian/changelog)
    get_filename_component(name ${source} NAME)
    set(gzipped ${CMAKE_BINARY_DIR}/gzipped/${name}.gz)
    add_custom_command(OUTPUT ${gzipped}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/gzipped
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${CMAKE_SOURCE_DIR}/${source} ${gzipped}
        DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND TALVEX_GZIPPED ${gzipped})
endforeach()
add_custom_target(talvex_gzipped_docs ALL DEPENDS ${TALVEX_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/gzipped/changelog.gz DESTINATION ${TALVEX_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/gzipped/kestrix-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET Kestrix)
    target_compile_definitions(Kestrix PRIVATE TALVEX_APP_ID="${TALVEX_APP_ID}")
    install(TARGETS Kestrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/${TALVEX_DESKTOP_ENTRY_SOURCE}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${TALVEX_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${CMAKE_BINARY_DIR}/gzipped/Kestrix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(TARGET talvex_skin)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/png DESTINATION ${TALVEX_SHARE_DIR})
    get_directory_property(skin_resources DIRECTORY resources/skin DEFINITION SKIN_RESOURCE_DIR)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${skin_resources}/icons/154-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME kestrix.png)
    endforeach()
endif()

set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VENDOR "Talvex")
set(CPACK_PACKAGE_CONTACT "Talvex developers <talvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings utility for the Kestrix 87-key RGB keyboard")
# The package's long description, wrapped as Debian's control format wants it.
set(CPACK_PACKAGE_DESCRIPTION
    "Key assignments, macros, lighting, game mode and profiles of the Kestrix
87-key RGB keyboard (USB 04D9:A129). Any key can be remapped to another key,
a key combination, a macro, a media or shortcut function, or an action that
opens a file, folder or program; macros are recorded with their delays and
edited event by event; lighting has effects, a palette and five per-key colour
layouts; up to six profiles are kept as files.
.
The package holds the window (Kestrix), a command line tool (kestrix-cli) for
scripts, and a udev rule that lets the user at the seat use the keyboard
without root.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so not found by dpkg-shlibdeps: Qt's display plugins, and the fonts the
# captions are drawn with ("Arial" is Liberation Sans; the Chinese captions need WenQuanYi), and
# Qt's own translations, which give a Chinese window Chinese choosers and buttons. Talvex's
# English is built in. Building needs qt6-tools-dev and qt6-l10n-tools (lupdate, lrelease) and
# nlohmann-json3-dev (profile documents) as well, which scripts/setup.sh installs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-liberation2, fonts-wqy-microhei, qt6-translations-l10n")
# The window on a Wayland desktop, rather than through Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# Debug symbols do not ship; a packager who wants them builds RelWithDebInfo and splits them.
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
