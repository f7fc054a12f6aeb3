# What `cmake --install` lays out and what `cpack -G DEB` packs:
#   bin/Kestrix, bin/kestrix-cli
#   share/kestrix/      the skin ("png/"), "VER.bin" and the firmware updater when there is one
#   share/applications/kestrix.desktop, share/icons/hicolor/<size>/apps/kestrix.png
#   lib/udev/rules.d/70-kestrix.rules
# The program finds its share folder from its own folder, so any prefix works; the udev rule is
# only read by udev below /usr/lib or /etc, hence TALVEX_UDEV_RULES_DIR.
include(GNUInstallDirs)

set(TALVEX_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/kestrix)
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

if(TARGET Kestrix)
    install(TARGETS Kestrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/kestrix.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
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
set(CPACK_PACKAGE_DESCRIPTION
    "Key assignments, macros, lighting, game mode and profiles of the Kestrix 87-key RGB \
keyboard (USB 04D9:A129), with a command line tool and a udev rule that lets the user at \
the seat use the keyboard without root.")
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
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/resources/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
