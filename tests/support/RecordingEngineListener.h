#pragma once

#include "engine/ZKEditorEngine.h"

/** Records what an engine reports, with the thread each report came on. */
class RecordingEngineListener : public ZKEditorEngine::Listener
{
public:
    void midiCommunicationFailed (const juce::String& message) override
    {
        const juce::ScopedLock sl (lock);
        failureMessages.add (message);
        allOnMessageThread = allOnMessageThread && isOnMessageThread();
    }

    void presetFileRejected (const juce::String& fileName) override
    {
        const juce::ScopedLock sl (lock);
        rejectedFiles.add (fileName);
        allOnMessageThread = allOnMessageThread && isOnMessageThread();
    }

    int getNumFailures() const
    {
        const juce::ScopedLock sl (lock);
        return failureMessages.size();
    }

    juce::StringArray getFailureMessages() const
    {
        const juce::ScopedLock sl (lock);
        return failureMessages;
    }

    juce::StringArray getRejectedFiles() const
    {
        const juce::ScopedLock sl (lock);
        return rejectedFiles;
    }

    /** True while every report so far arrived on the message thread. */
    bool wereAllReportsOnMessageThread() const
    {
        const juce::ScopedLock sl (lock);
        return allOnMessageThread;
    }

    void clear()
    {
        const juce::ScopedLock sl (lock);
        failureMessages.clear();
        rejectedFiles.clear();
        allOnMessageThread = true;
    }

private:
    static bool isOnMessageThread()
    {
        auto* manager = juce::MessageManager::getInstanceWithoutCreating();
        return manager != nullptr && manager->isThisTheMessageThread();
    }

    juce::CriticalSection lock;
    juce::StringArray failureMessages;
    juce::StringArray rejectedFiles;
    bool allOnMessageThread = true;
};
