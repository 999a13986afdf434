#include "cli/ProgressLine.h"

#include <iostream>
#include <unistd.h>

namespace
{
constexpr int barWidth = 20;
constexpr int lineWidth = 79;
} // namespace

ProgressLine::ProgressLine (bool quiet)
    : enabled (! quiet && isatty (STDERR_FILENO) != 0)
{
}

ProgressLine::~ProgressLine() { clear(); }

void ProgressLine::show (const juce::String& what, int done, int total, const juce::String& note)
{
    if (! enabled)
        return;

    const auto filled = total > 0 ? juce::jlimit (0, barWidth, done * barWidth / total) : 0;
    auto line = what + "  [" + juce::String::repeatedString ("#", filled)
                + juce::String::repeatedString (".", barWidth - filled) + "]  " + juce::String (done) + " of "
                + juce::String (total);

    if (note.isNotEmpty())
        line << " (" << note << ")";

    std::cerr << '\r' << line.substring (0, lineWidth).paddedRight (' ', lineWidth) << std::flush;
    shown = true;
}

void ProgressLine::clear()
{
    if (! shown)
        return;

    std::cerr << '\r' << juce::String::repeatedString (" ", lineWidth) << '\r' << std::flush;
    shown = false;
}
