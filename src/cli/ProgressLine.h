#pragma once

#include <juce_core/juce_core.h>

/** The progress of a transfer on the standard error output: one line, drawn again in place, while
    the standard error output is a terminal; nothing when it is not (a log, a pipe) or when the user
    asked for quiet, so that scripts see only results and errors. */
class ProgressLine
{
public:
    explicit ProgressLine (bool quiet);
    ~ProgressLine();

    /** "Getting slot 5  [########............]  200 of 465" */
    void show (const juce::String& what, int done, int total, const juce::String& note = {});

    /** Clears the line, so that what comes next starts on a clean line. */
    void clear();

private:
    const bool enabled;
    bool shown = false;
};
