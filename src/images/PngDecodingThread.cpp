#include "images/PngDecodingThread.h"

JUCE_IMPLEMENT_SINGLETON (PngDecodingThread)

namespace
{
constexpr int stopTimeoutMs = 2000;
} // namespace

PngDecodingThread::PngDecodingThread()
    : juce::Thread ("PNG decoding")
{
    startThread();
}

PngDecodingThread::~PngDecodingThread()
{
    signalThreadShouldExit();
    workArrived.signal();
    stopThread (stopTimeoutMs);

    // Pictures still waiting are decoded by the message thread if they are ever drawn.
    const juce::ScopedLock sl (queueLock);
    queue.clear();
    clearSingletonInstance();
}

void PngDecodingThread::decodeSoon (juce::ReferenceCountedObjectPtr<DeferredPngPixelData> picture)
{
    {
        const juce::ScopedLock sl (queueLock);
        queue.push_back (std::move (picture));
    }

    workArrived.signal();
}

void PngDecodingThread::run()
{
    while (! threadShouldExit())
    {
        juce::ReferenceCountedObjectPtr<DeferredPngPixelData> picture;

        {
            const juce::ScopedLock sl (queueLock);

            if (! queue.empty())
            {
                picture = std::move (queue.front());
                queue.pop_front();
            }
        }

        if (picture == nullptr)
            workArrived.wait (-1);
        else
            picture->decodeOnBackgroundThread();
    }
}
