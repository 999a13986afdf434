#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Start-up measurement: laid over a window's content when the environment variable
    ZKM_EXIT_AFTER_FIRST_PAINT is set, it prints "first-paint" at the first paint of the window, then,
    once the messages that paint set off have been handled, the resident memory ("rss_kb=..."), and
    ends the program. A benchmark times process start to the first line. It draws nothing and takes
    no clicks. */
class FirstPaintProbe : public juce::Component
{
public:
    /** True when the program was started to be measured. */
    static bool isRequested();

    FirstPaintProbe();
    void paint (juce::Graphics&) override;

private:
    bool reported = false;
};
