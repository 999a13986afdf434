# JUCE's modules compiled once into one static library, zkm_juce, that every other target links.
# Consumers get the module headers (as system headers, so JUCE's own warnings stay out of ours)
# and the compile definitions that JUCE's code was built with.

add_library (zkm_juce STATIC)

target_link_libraries (zkm_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_audio_basics
        juce::juce_audio_devices
    PUBLIC
        juce::juce_recommended_config_flags
        # Debian's JUCE decodes images with the system's libraries.
        png jpeg z)

target_compile_definitions (zkm_juce
    PUBLIC
        JUCE_MODAL_LOOPS_PERMITTED=1
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_STANDALONE_APPLICATION=1
        JUCE_USE_XRANDR=1
        JUCE_APPLICATION_NAME_STRING="Quenlo ZKM Editor"
        JUCE_APPLICATION_VERSION_STRING="${PROJECT_VERSION}"
    INTERFACE
        $<TARGET_PROPERTY:zkm_juce,COMPILE_DEFINITIONS>)

target_include_directories (zkm_juce SYSTEM
    INTERFACE
        $<TARGET_PROPERTY:zkm_juce,INCLUDE_DIRECTORIES>)

set_target_properties (zkm_juce PROPERTIES
    POSITION_INDEPENDENT_CODE TRUE
    VISIBILITY_INLINES_HIDDEN TRUE
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden)

# JUCE's own sources are not ours to fix: keep their warnings quiet.
target_compile_options (zkm_juce PRIVATE -w)

# Warnings for our own code.
function (zkm_set_warnings target)
    target_compile_options (${target} PRIVATE -Wall -Wextra)
endfunction()
