#pragma once

#include "images/DeferredPngPixelData.h"

#include <deque>

/** One background thread that decodes the pictures a window is about to draw while the message
    thread is still building the window, so that the first paint finds them ready. Pictures are
    decoded in the order they were asked for; one that is needed before its turn is decoded by the
    message thread itself (see DeferredPngPixelData). Deleted when the framework shuts down. */
class PngDecodingThread
    : public juce::Thread
    , private juce::DeletedAtShutdown
{
public:
    PngDecodingThread();
    ~PngDecodingThread() override;

    /** Queues a picture; the queue holds a reference until it has been decoded. */
    void decodeSoon (juce::ReferenceCountedObjectPtr<DeferredPngPixelData> picture);

    JUCE_DECLARE_SINGLETON (PngDecodingThread, false)

private:
    void run() override;

    juce::CriticalSection queueLock;
    std::deque<juce::ReferenceCountedObjectPtr<DeferredPngPixelData>> queue;
    juce::WaitableEvent workArrived;

    JUCE_DECLARE_NON_COPYABLE (PngDecodingThread)
};
