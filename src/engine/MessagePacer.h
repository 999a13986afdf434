#pragma once

#include <juce_core/juce_core.h>

/** When the next of a series of messages may go: a gap after the last one went out (measured as
    it began to go, so the time spent sending does not add up over 465 messages). A thread that
    wakes late moves the rest of the series on from there rather than catching up in a burst that
    the controller cannot take. */
class MessagePacer
{
public:
    static double now() { return juce::Time::getMillisecondCounterHiRes(); }

    MessagePacer (double startMs, int gapMs)
        : next (startMs)
        , gap (gapMs)
    {
    }

    double getNextTime() const noexcept { return next; }

    /** Just before a message goes out. */
    void messageGoes() { next = juce::jmax (next, now()) + gap; }

private:
    double next;
    const int gap;
};
