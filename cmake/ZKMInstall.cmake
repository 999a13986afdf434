# What `cmake --install` puts under the install prefix, and the Debian package made from it by
# CPack (scripts/package.sh). The desktop integration files live in packaging/.

set (ZKM_APP_ID com.quenlo.ZKMEditor)
set (ZKM_PACKAGING_DIR ${ZKM_ROOT_DIR}/packaging)
set (ZKM_GENERATED_PACKAGING_DIR ${ZKM_BINARY_ROOT}/packaging)

if (TARGET ZKMEditor)
    install (TARGETS ZKMEditor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if (TARGET zkm)
    install (TARGETS zkm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # Where bash-completion looks for a command's completion the first time Tab is pressed after it
    # (also under another prefix, next to the prefix's bin/).
    install (FILES ${ZKM_PACKAGING_DIR}/zkm.bash-completion
             DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zkm)
endif()

# Menu entry, preset file type and software-centre metadata.
install (FILES ${ZKM_PACKAGING_DIR}/${ZKM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install (FILES ${ZKM_PACKAGING_DIR}/zkm-editor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# The screenshots of the software-centre metadata are the user guide's pictures (docs/images). The
# project has no web site yet: like the maintainer's address below, the reserved .example domain keeps
# the address recognisably a placeholder, and a build for distribution sets where they are published.
set (ZKM_SCREENSHOT_URL "https://zkm-editor.example/screenshots" CACHE STRING
     "Address under which docs/images/ is published, for the screenshots of the AppStream metadata")
configure_file (${ZKM_PACKAGING_DIR}/${ZKM_APP_ID}.metainfo.xml
                ${ZKM_GENERATED_PACKAGING_DIR}/${ZKM_APP_ID}.metainfo.xml @ONLY)
install (FILES ${ZKM_GENERATED_PACKAGING_DIR}/${ZKM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG as it is, and the usual hicolor sizes rendered from it.
install (FILES ${ZKM_PACKAGING_DIR}/${ZKM_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program (ZKM_RSVG_CONVERT rsvg-convert)
if (ZKM_RSVG_CONVERT)
    set (ZKM_ICON_FILES "")
    foreach (size 16 24 32 48 64 128 256 512)
        set (icon ${ZKM_GENERATED_PACKAGING_DIR}/icons/${size}x${size}/${ZKM_APP_ID}.png)
        add_custom_command (OUTPUT ${icon}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${ZKM_GENERATED_PACKAGING_DIR}/icons/${size}x${size}
            COMMAND ${ZKM_RSVG_CONVERT} --width ${size} --height ${size} --output ${icon} ${ZKM_PACKAGING_DIR}/${ZKM_APP_ID}.svg
            DEPENDS ${ZKM_PACKAGING_DIR}/${ZKM_APP_ID}.svg
            VERBATIM)
        install (FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        list (APPEND ZKM_ICON_FILES ${icon})
    endforeach()
    add_custom_target (zkm_icons ALL DEPENDS ${ZKM_ICON_FILES})
else()
    message (STATUS "rsvg-convert not found: only the scalable icon is installed (bash scripts/install-deps.sh installs it)")
endif()

# Manual page, Debian changelog and copyright (the licence), compressed as Debian wants them.
file (MAKE_DIRECTORY ${ZKM_GENERATED_PACKAGING_DIR})
configure_file (${ZKM_PACKAGING_DIR}/changelog ${ZKM_GENERATED_PACKAGING_DIR}/changelog @ONLY)
foreach (name changelog ZKMEditor.1 zkm.1)
    if (name STREQUAL "changelog")
        set (source ${ZKM_GENERATED_PACKAGING_DIR}/changelog)
    else()
        set (source ${ZKM_PACKAGING_DIR}/${name})
    endif()
    execute_process (COMMAND gzip -9 -n -c ${source}
                     OUTPUT_FILE ${ZKM_GENERATED_PACKAGING_DIR}/${name}.gz
                     RESULT_VARIABLE gzip_result)
    if (NOT gzip_result EQUAL 0)
        message (FATAL_ERROR "Could not compress ${source}")
    endif()
endforeach()
set_property (DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
              ${ZKM_PACKAGING_DIR}/changelog ${ZKM_PACKAGING_DIR}/ZKMEditor.1 ${ZKM_PACKAGING_DIR}/zkm.1)
install (FILES ${ZKM_GENERATED_PACKAGING_DIR}/ZKMEditor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if (TARGET zkm)
    install (FILES ${ZKM_GENERATED_PACKAGING_DIR}/zkm.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install (FILES ${ZKM_PACKAGING_DIR}/copyright ${ZKM_GENERATED_PACKAGING_DIR}/changelog.gz
         DESTINATION ${CMAKE_INSTALL_DOCDIR})

#===============================================================================
# The Debian package.
set (CPACK_GENERATOR DEB)
set (CPACK_PACKAGE_NAME zkm-editor)
set (CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set (CPACK_PACKAGE_VENDOR "ZKM Editor Developers")
# The project has no public mail host yet: the reserved .example domain keeps the address
# recognisably a placeholder (a build for distribution sets its own).
set (ZKM_PACKAGE_MAINTAINER "ZKM Editor Developers <dev@zkm-editor.example>" CACHE STRING "Maintainer line of the Debian package")
set (CPACK_PACKAGE_CONTACT "${ZKM_PACKAGE_MAINTAINER}")
set (CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZKM_PACKAGE_MAINTAINER}")
set (CPACK_PACKAGE_DESCRIPTION_SUMMARY "preset editor for the Quenlo ZKM MIDI keyboard controller")
string (JOIN "\n" CPACK_PACKAGE_DESCRIPTION
        "ZKM Editor edits the presets of the Quenlo ZKM MIDI keyboard controller:"
        "keybed zones, 16 knobs, 16 drum pads, 48 switches, transport buttons, pitch"
        "and modulation wheels, sustain pedal, roll mode and MIDI-to-DIN routing."
        "Presets are fetched from and sent to the controller's 24 slots over MIDI"
        "System Exclusive, and saved to and loaded from .zkp files. A built-in"
        "virtual controller allows trying it without the hardware. The package"
        "includes the user guide (PDF).")
set (CPACK_RESOURCE_FILE_LICENSE ${ZKM_ROOT_DIR}/LICENSE)
set (CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set (CPACK_STRIP_FILES ON)
set (CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set (CPACK_DEBIAN_PACKAGE_SECTION sound)
set (CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set (CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 libraries are opened at run time (dlopen), so shlibdeps cannot see them.
set (CPACK_DEBIAN_PACKAGE_DEPENDS "libx11-6, libxext6, libxinerama1, libxrandr2, libxcursor1, libxrender1")
# The user guide opens through xdg-open; the editor draws its texts with a scalable font.
set (CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-dejavu-core")
# zkm's completion works where bash-completion is installed, as on most Debian systems; the
# programs need nothing of it.
set (CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set (CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include (CPack)
