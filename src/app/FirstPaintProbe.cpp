#include "app/FirstPaintProbe.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
long residentKilobytes()
{
    std::ifstream status ("/proc/self/status");
    std::string line;

    while (std::getline (status, line))
        if (line.rfind ("VmRSS:", 0) == 0)
            return std::stol (line.substr (6));

    return 0;
}
} // namespace

bool FirstPaintProbe::isRequested()
{
    return juce::SystemStats::getEnvironmentVariable ("ZKM_EXIT_AFTER_FIRST_PAINT", {}).isNotEmpty();
}

FirstPaintProbe::FirstPaintProbe()
{
    setInterceptsMouseClicks (false, false);
    setOpaque (false);
}

void FirstPaintProbe::paint (juce::Graphics&)
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
