# Applies ZKM_SANITIZE (a comma-separated list such as "address,undefined" or "thread") to every
# target of the build, JUCE included, so that instrumented and plain code never mix.
if (ZKM_SANITIZE)
    set (ZKM_SANITIZER_FLAGS -fsanitize=${ZKM_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_compile_options (${ZKM_SANITIZER_FLAGS})
    add_link_options (-fsanitize=${ZKM_SANITIZE})
endif()
