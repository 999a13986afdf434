#pragma once

#include "app/WindowManager.h"
#include "engine/MidiManager.h"

#include <functional>

/** Holds a quit back while the controller is being written: a question of a document window is
    open, a window's restore is under way (its window asks whether to stop after the slot under
    way or to wait), or a Send is queued or under way (the user is asked whether to wait for it or
    to stop it). Once they are over the quit is asked for again. */
class QuitCoordinator
{
public:
    /** The windows are looked up at each call (there are none before the application starts and
        after it ends); quitAgain asks for the quit again once the transfers are over. */
    QuitCoordinator (MidiManager& midiManager, std::function<WindowManager*()> getWindowManager,
                     std::function<void()> quitAgain);

    /** True when nothing holds the quit back; otherwise starts waiting as above. */
    bool mayQuitNow();

    /** Whether a Send to the controller is queued or under way. */
    bool isSendUnderWay() const;

    /** The question asked when quitting during a Send, and its two answers. */
    static juce::String getQuitDuringSendTitle() { return "Send In Progress"; }
    static juce::String getWaitAnswer() { return "Wait"; }
    static juce::String getStopAnswer() { return "Stop"; }

private:
    void askWhetherToWaitForTheSend();
    void stopTransfers();
    void quitOnceTheSendsAreOver();

    bool isQuestionOpen() const;
    bool isRestoreUnderWay() const;
    bool anyWindow (const std::function<bool (const EditorWindow&)>& test) const;

    MidiManager& midiManager;
    std::function<WindowManager*()> getWindowManager;
    std::function<void()> quitAgain;
    bool quitQuestionShown = false;
    bool waitingForSendsToQuit = false;

    JUCE_DECLARE_WEAK_REFERENCEABLE (QuitCoordinator)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QuitCoordinator)
};
