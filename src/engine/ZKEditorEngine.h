#pragma once

#include "engine/MidiManager.h"
#include "model/Control.h"
#include "model/ControlType.h"

#include <juce_events/juce_events.h>
#include <map>
#include <vector>

/** The model of one document: owns the controls of one preset, turns them into preset dumps and
    back, reads preset files, and runs every exchange of that preset with the controller. */
class ZKEditorEngine
    : public juce::ReferenceCountedObject
    , public juce::Timer
    , public MidiManager::MidiManagerListener
{
public:
    using Ptr = juce::ReferenceCountedObjectPtr<ZKEditorEngine>;

    /** Hears of failed exchanges. Called on the message thread. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void midiCommunicationFailed (const juce::String&) {}
        virtual void presetFileRejected (const juce::String&) {}

        /** A Get of that slot (0 to 23) completed and its preset is now in the controls. */
        virtual void presetFetched (juce::uint8 /*slot*/) {}

        /** The whole preset was written into that slot (0 to 23). */
        virtual void presetSent (juce::uint8 /*slot*/) {}
    };

    /** One change that a user made through a widget: which parameter of which control, and the byte
        before and after. */
    struct ParameterEdit
    {
        int controlType = 0;
        int controlIndex = 0;
        juce::String parameterName;
        juce::uint8 oldValue = 0;
        juce::uint8 newValue = 0;
    };

    /** Hears of every user edit that changed a byte: the hook for undo and for the unsaved-edit mark.
        Called on the message thread by editParameter, after the byte is stored and every other
        widget of it shows the new value. Loads are not edits: they are not told here. */
    class EditListener
    {
    public:
        virtual ~EditListener() = default;
        virtual void parameterEdited (const ParameterEdit& edit) = 0;

        /** The edits told between these two calls make up one user's action of that name (a
            paste, a fill), to be kept as one step. */
        virtual void editGroupStarted() {}
        virtual void editGroupEnded (const juce::String& /*actionName*/) {}
    };

    /** How the conversation is paced. Messages go out by deadline: message i at start + i * gap. */
    struct Pacing
    {
        int requestGapMs = 3;
        int writeGapMs = 8;
        int replyTimeoutMs = 2000;
        int maxRetries = 8;
    };

    //==============================================================================
    ZKEditorEngine (juce::uint8 deviceId, MidiManager* midiManager, juce::String filePattern,
                    juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum, int numKnobs, int numPads,
                    int numSwitches);
    ~ZKEditorEngine() override;

    //==============================================================================
    /** The controls of one ControlType, in creation order. */
    juce::OwnedArray<Control>& getControls (int controlType);

    /** Sets a parameter of the first control of that type, without notification. */
    void setParameter (int controlType, juce::String parameterName, juce::uint8 value);

    /** The one path of a user's edit through a widget: stores the value in the parameter of the
        control at that index of a ControlType if the control accepts it and the byte changes, tells
        every other observer of that byte (all but the writer, under every name of the byte) and then
        the edit listeners. A value equal to the stored one changes nothing and tells no one. Returns
        false when the value was refused. */
    bool editParameter (int controlType, int controlIndex, const juce::String& parameterName, juce::uint8 value,
                        Control::Listener* writer);

    /** Several user's edits made as one action (a paste, a fill): each is made as editParameter
        makes it, telling every widget of its byte, and the edit listeners hear of them between
        editGroupStarted and editGroupEnded with the action's name. The old values of the edits are
        not read. Returns how many bytes changed. */
    int editParameters (const juce::String& actionName, const juce::Array<ParameterEdit>& edits);

    /** Edit listeners are not owned; one that goes away first must remove itself. */
    void addEditListener (EditListener* listener);
    void removeEditListener (EditListener* listener);

    juce::String getFilePattern() const;

    /** The length of a preset dump and of a preset file: 476 for this model. */
    int getPresetDataSize() const noexcept;

    //==============================================================================
    /** The preset dump of the current control values for that slot. */
    juce::Array<juce::uint8> createPresetData (juce::uint8 slot);

    /** Takes a preset dump into the controls; every control notifies every name. */
    void loadPresetData (const juce::Array<juce::uint8>& presetData);

    /** True when the file was accepted and loaded; the controls are unchanged otherwise. */
    bool loadPresetFile (const juce::File& file);

    //==============================================================================
    /** Starts fetching a slot (0 to 23) from the controller; returns once the first round of
        requests is out. Success shows as loaded controls, failure as midiCommunicationFailed, at
        once when the input or the output is not open. Ignored while a Get waits. While another
        engine's Get is under way, this one waits for it to end and then starts. */
    void getPreset (juce::uint8 slot);

    /** Writes the current preset into a slot; false, after telling the listeners, when it was not
        sent completely (no input or output open, a slot the controller does not have, the output
        lost on the way). */
    bool sendPreset (juce::uint8 slot);

    /** false: internal sync, true: external sync. Tells the listeners when it cannot be sent. */
    void setSync (bool external);

    /** True while a Get waits for replies. */
    bool isGetInProgress() const;

    void setPacing (const Pacing& newPacing);
    Pacing getPacing() const;

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    //==============================================================================
    void timerCallback() override;
    void midiMessageReceived (const juce::MidiMessage& message) override;

private:
    //==============================================================================
    /** Brings a completed collection from the MIDI input thread to the message thread. */
    class CompletionHandler : public juce::AsyncUpdater
    {
    public:
        explicit CompletionHandler (ZKEditorEngine& engineToUse)
            : engine (engineToUse)
        {
        }

        ~CompletionHandler() override { cancelPendingUpdate(); }

        void handleAsyncUpdate() override { engine.completeGet(); }

    private:
        ZKEditorEngine& engine;
    };

    //==============================================================================
    void createControls (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum);
    void startRequesting();
    void requestPresetBytes();
    void completeGet();
    void endGet (bool completed);
    void reportCommunicationFailure();
    bool arePortsOpen() const;
    juce::Array<juce::uint8> createDump (juce::uint8 command, juce::uint8 slot,
                                         const juce::Array<juce::uint8>& image) const;
    static void waitUntil (double deadlineMs);

    //==============================================================================
    const juce::uint8 deviceId;
    MidiManager* const midiManager;
    const juce::String filePattern;
    const int numKnobs;
    const int numPads;
    const int numSwitches;
    const int imageLength;
    const int dumpLength;

    std::map<int, juce::OwnedArray<Control>> controls;

    Pacing pacing;
    juce::Array<Listener*> listeners;
    juce::Array<EditListener*> editListeners;

    // The Get under way; touched on the message thread only.
    bool getInProgress = false;
    bool waitingForTurn = false;
    int attemptCounter = 0;
    juce::uint8 getSlot = 0;

    // Filled on the MIDI input thread, reset on the message thread.
    juce::CriticalSection receiveLock;
    juce::Array<juce::uint8> receiveBuffer;
    std::vector<bool> indexReceived;
    int numIndexesReceived = 0;
    bool collecting = false;
    bool collectionComplete = false;

    CompletionHandler completionHandler{ *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZKEditorEngine)
};
