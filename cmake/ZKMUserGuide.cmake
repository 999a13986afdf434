# The user guide: docs/user-guide.md and its screenshots (docs/images, made by
# scripts/guide-screenshots.sh) rendered to a PDF with pandoc (Markdown to HTML) and weasyprint
# (HTML to PDF), then installed into the documentation folder, where "Open User Guide" finds it.
# Without the two programs a development build goes on without the PDF; ZKM_REQUIRE_USER_GUIDE
# (set by scripts/package.sh) makes their absence an error.

option (ZKM_REQUIRE_USER_GUIDE "Fail when the user guide PDF cannot be built" OFF)

set (ZKM_USER_GUIDE_NAME "ZKM Editor - User Guide - v1.1.pdf")
set (ZKM_USER_GUIDE_PDF "${ZKM_BINARY_ROOT}/docs/${ZKM_USER_GUIDE_NAME}")
set (ZKM_USER_GUIDE_HTML "${ZKM_BINARY_ROOT}/docs/user-guide.html")

find_program (ZKM_PANDOC pandoc)
find_program (ZKM_WEASYPRINT weasyprint)

if (ZKM_PANDOC AND ZKM_WEASYPRINT)
    file (GLOB ZKM_USER_GUIDE_IMAGES CONFIGURE_DEPENDS ${ZKM_ROOT_DIR}/docs/images/*.png)
    add_custom_command (OUTPUT ${ZKM_USER_GUIDE_PDF}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ZKM_BINARY_ROOT}/docs
        COMMAND ${ZKM_PANDOC} --from markdown --to html5 --standalone --toc --toc-depth=2
                --css user-guide.css --output ${ZKM_USER_GUIDE_HTML} ${ZKM_ROOT_DIR}/docs/user-guide.md
        # Images and the style sheet are found beside the Markdown source.
        COMMAND ${ZKM_WEASYPRINT} --base-url ${ZKM_ROOT_DIR}/docs/ ${ZKM_USER_GUIDE_HTML} ${ZKM_USER_GUIDE_PDF}
        DEPENDS ${ZKM_ROOT_DIR}/docs/user-guide.md ${ZKM_ROOT_DIR}/docs/user-guide.css ${ZKM_USER_GUIDE_IMAGES}
        COMMENT "Rendering the user guide PDF"
        VERBATIM)
    add_custom_target (zkm_user_guide ALL DEPENDS ${ZKM_USER_GUIDE_PDF})
    install (FILES ${ZKM_USER_GUIDE_PDF} DESTINATION ${CMAKE_INSTALL_DOCDIR})
elseif (ZKM_REQUIRE_USER_GUIDE)
    message (FATAL_ERROR "pandoc and weasyprint are needed for the user guide: bash scripts/install-deps.sh --packaging")
else()
    message (STATUS "pandoc or weasyprint not found: the user guide PDF is neither built nor installed "
                    "(bash scripts/install-deps.sh --packaging installs them)")
    add_custom_target (zkm_user_guide
        COMMAND ${CMAKE_COMMAND} -E echo "The user guide needs pandoc and weasyprint: bash scripts/install-deps.sh --packaging"
        COMMAND ${CMAKE_COMMAND} -E false
        VERBATIM)
endif()
