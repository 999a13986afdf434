#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>
#include <fstream>
#include <string>

/** Start-up measurement: laid over a window's content when the environment variable
    ZKM_EXIT_AFTER_FIRST_PAINT is set, it prints "first-paint" at the first paint of the window, then,
    once the messages that paint set off have been handled, the resident memory ("rss_kb=..."), and
    ends the program. A benchmark times process start to the first line. It draws nothing and takes
    no clicks. */
class FirstPaintProbe : public juce::Component
{
public:
    static bool isRequested()
    {
        return juce::SystemStats::getEnvironmentVariable ("ZKM_EXIT_AFTER_FIRST_PAINT", {}).isNotEmpty();
    }

    FirstPaintProbe()
    {
        setInterceptsMouseClicks (false, false);
        setOpaque (false);
    }

    void paint (juce::Graphics&) override
    {
        if (reported)
            return;

        reported = true;
        std::printf ("first-paint\n");
        std::fflush (stdout);

        // The memory is read once the work that the first paint set off has run (the window builds
        // its remaining views then), so that it is the memory of the whole window.
        juce::MessageManager::callAsync (
            []
            {
                std::printf ("rss_kb=%ld\n", residentKilobytes());
                std::fflush (stdout);
                juce::JUCEApplicationBase::quit();
            });
    }

private:
    static long residentKilobytes()
    {
        std::ifstream status ("/proc/self/status");
        std::string line;

        while (std::getline (status, line))
            if (line.rfind ("VmRSS:", 0) == 0)
                return std::stol (line.substr (6));

        return 0;
    }

    bool reported = false;
};
