#pragma once

#include "engine/MidiManager.h"

#include <atomic>
#include <functional>
#include <juce_events/juce_events.h>
#include <optional>

class EditorWindow;

/** Follow the Controller: hears every message of the chosen input and hands the controller's
    channel messages (no SysEx, no clock) to the front document window, whose ControlFollower
    selects and flashes the control that sent it. The MIDI input thread only keeps the latest message
    under a short lock and triggers an update; the message thread follows at most one message per
    followIntervalMs, the latest, so a burst of messages never floods it. */
class FollowController
    : private MidiManager::MidiManagerListener
    , private juce::AsyncUpdater
    , private juce::Timer
{
public:
    static constexpr int followIntervalMs = 30;

    /** findFrontWindow gives the window to follow in, nullptr when none is open. The manager must
        outlive this. */
    FollowController (MidiManager& midiManager, std::function<EditorWindow*()> findFrontWindow);
    ~FollowController() override;

    /** On by default; while off, the messages are not even kept. */
    void setEnabled (bool shouldFollow);
    bool isEnabled() const noexcept { return enabled; }

private:
    void midiMessageReceived (const juce::MidiMessage& message) override;
    void handleAsyncUpdate() override;
    void timerCallback() override;
    void followLatest();

    MidiManager& midiManager;
    std::function<EditorWindow*()> findFrontWindow;
    std::atomic<bool> enabled{ true };

    juce::CriticalSection latestLock;
    std::optional<juce::MidiMessage> latest; // guarded by latestLock
    juce::uint32 lastFollowMs = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FollowController)
};
