#pragma once

#include "engine/MidiManager.h"
#include "engine/PresetFileCodec.h"
#include "model/Control.h"
#include "model/PresetLayout.h"

#include <functional>
#include <juce_events/juce_events.h>
#include <map>
#include <memory>

class PresetTransfer;
class PresetTransferList;

/** The model of one document: owns the controls of one preset, turns them into preset dumps and
    back (through its PresetFileCodec), reads preset files, and starts every exchange of that preset
    with the controller (each one a PresetTransfer on the MIDI manager's queue), telling its
    listeners how they go and end. */
class ZKEditorEngine : public juce::ReferenceCountedObject
{
public:
    using Ptr = juce::ReferenceCountedObjectPtr<ZKEditorEngine>;

    /** What a transfer of this engine does, for a progress display. */
    struct TransferStatus
    {
        enum class Kind
        {
            none,
            get,
            send,
            sync,
            verify,   // the read-back of a Send, into a scratch image
            backup,   // a read of a slot into a scratch image, for a backup
            compare,  // a read of a slot into a scratch image, to compare it with the controls
            liveEdit, // the bytes edited since the last one, written into a slot and each read back
            nameRead, // a read of a slot's 16 name bytes alone, into a scratch image
            rename,   // the 16 name bytes written into a slot and read back
            slotWrite // a slot brought to an image: the bytes that differ written and each read back
        };

        enum class Stage
        {
            waiting, // another exchange with the controller goes first
            running,
            completed,
            failed,
            cancelled
        };

        Kind kind = Kind::none;
        Stage stage = Stage::waiting;
        juce::uint8 slot = 0;
        int done = 0;        // a Get: bytes in of its current attempt; a Send, a rename, a slot write: writes made
        int total = 0;       // 465 for a Get or a read, 16 for a name read or a rename, the writes of a Send
                             // or a slot write, 1 for a sync command
        int retries = 0;     // a Get: attempts made after the first
        int id = 0;          // the number its start returned; a Send's read-back carries its Send's
        bool verify = false; // a Send: whether the slot is read back once it is written

        // A Send that knew what the slot held wrote only the bytes that differ: total of them,
        // none when the slot held the preset already. While readingFirst, a Send reads the slot
        // to learn that, and done counts the bytes read.
        bool changesOnly = false;
        bool readingFirst = false;
    };

    /** How a Send writes its slot. */
    struct SendOptions
    {
        bool verify = false;      // read the slot back once written
        bool changesOnly = false; // write only the bytes that differ from what the slot is known to hold
        bool readFirst = false;   // read the slot first, then write what differs; a slot that held
                                  // the preset already is not read back
    };

    /** How the read-back of a Send ended. */
    struct Verification
    {
        int sendId = 0; // the TransferStatus::id of the Send
        juce::uint8 slot = 0;
        juce::Array<juce::uint8> sentImage;
        juce::Array<juce::uint8> readBack; // what the slot held; empty when it was not read back
        bool controllerGone = false;       // not read back: the ports were closed or the devices went away
        bool changesOnly = false;          // the Send wrote only writtenBytes, the rest was there already
        juce::Array<int> writtenBytes;     // the image indexes written when changesOnly

        /** The bytes that differ in the slot although the Send did not write them: changed on the
            controller itself since the editor last saw the slot. */
        juce::Array<int> getBytesChangedUnseen() const;

        /** Whether the slot holds what was sent. */
        bool matches() const { return ! readBack.isEmpty() && readBack == sentImage; }
    };

    /** Hears of failed exchanges and of the transfers. Called on the message thread. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void midiCommunicationFailed (const juce::String&) {}
        virtual void presetFileRejected (const juce::String&) {}

        /** A Get of that slot (0 to 23) completed and its preset is now in the controls. */
        virtual void presetFetched (juce::uint8 /*slot*/) {}

        /** The whole preset was written into that slot (0 to 23); sentImage is the preset image as
            it was when the Send started (edits made during a Send are not in the slot). */
        virtual void presetSent (juce::uint8 /*slot*/, const juce::Array<juce::uint8>& /*sentImage*/) {}

        /** The same, told right after presetSent, naming the Send: for a listener that must tell
            its own Sends from those of others, and know whether a read-back follows. */
        virtual void sendCompleted (const TransferStatus& /*send*/, const juce::Array<juce::uint8>& /*sentImage*/) {}

        /** The read-back of a Send to that slot is over. readBack holds what the slot held then,
            to be compared with sentImage; it is empty when the slot did not answer, or when it
            could not be read back at all because the controller is gone. */
        virtual void presetVerified (juce::uint8 /*slot*/, const juce::Array<juce::uint8>& /*sentImage*/,
                                     const juce::Array<juce::uint8>& /*readBack*/)
        {
        }

        /** The same, told right after presetVerified, naming the Send and telling a slot that did
            not answer from a controller that is gone. Every Send that completes with verify set
            ends in exactly one of these. */
        virtual void verificationEnded (const Verification& /*verification*/) {}

        /** A read of startBackupRead completed: the 465 image bytes of that slot (read.slot). The
            controls are untouched. A read that fails ends with transferEnded alone, without
            midiCommunicationFailed: its caller sums the failures up. */
        virtual void slotRead (const TransferStatus& /*read*/, const juce::Array<juce::uint8>& /*image*/) {}

        /** A read of startCompareRead completed: the 465 image bytes of that slot. A failed one is
            reported as midiCommunicationFailed, as a Get's failure is. */
        virtual void slotReadForCompare (juce::uint8 /*slot*/, const juce::Array<juce::uint8>& /*image*/) {}

        /** A read of startNameRead completed: the 16 name bytes of that slot (read.slot). A read
            that fails ends with transferEnded alone. */
        virtual void slotNameRead (const TransferStatus& /*read*/, const juce::Array<juce::uint8>& /*nameBytes*/) {}

        /** A Live Edit write could not be confirmed: the bytes (image indexes) may not hold what
            the window holds. Live Edit of the engine has ended. */
        virtual void liveEditFailed (juce::uint8 /*slot*/, const juce::Array<int>& /*imageIndexes*/) {}

        /** A transfer of this engine was queued, started or made progress. */
        virtual void transferProgressed (const TransferStatus&) {}

        /** A transfer of this engine is over: completed, failed (after midiCommunicationFailed)
            or cancelled. */
        virtual void transferEnded (const TransferStatus&) {}
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

    /** How the conversation is paced. Two messages of a transfer are never closer than the gap; on
        time, message i goes at start + i * gap, and after a late wake the rest follow a gap apart
        from the late one. */
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

    /** Sets a parameter of the first control of that type, without notification. Defined for
        callers that set up a preset; the editor's own edits go through editParameter. */
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

    juce::String getFilePattern() const { return filePattern; }

    int getPresetDataSize() const noexcept { return codec.getDumpLength(); }

    /** The codec of this model's preset dumps and files, usable without the engine. */
    const PresetFileCodec& getFileCodec() const noexcept { return codec; }

    //==============================================================================
    /** The preset image (465 bytes) of the current control values. */
    juce::Array<juce::uint8> getPresetImage();

    /** The preset dump of the current control values for that slot. */
    juce::Array<juce::uint8> createPresetData (juce::uint8 slot);

    /** Takes a preset dump into the controls; every control notifies every name. */
    void loadPresetData (const juce::Array<juce::uint8>& presetData);

    /** True when the file was accepted and loaded; the controls are unchanged otherwise. */
    bool loadPresetFile (const juce::File& file);

    /** Writes the current preset as a preset file, as PresetFileWriter writes every one. On failure
        the file is left as it was and the result says why. */
    juce::Result savePresetFile (const juce::File& file);

    //==============================================================================
    /** Starts fetching a slot (0 to 23) from the controller; when no other exchange is under way it
        returns once the first round of requests is out. Success shows as loaded controls, failure
        as midiCommunicationFailed, at once when the input or the output is not open. Ignored while
        a Get of this engine is under way. The editor itself uses startGet, which does not wait. */
    void getPreset (juce::uint8 slot);

    /** Writes the current preset into a slot and returns when the Send is over (after any exchange
        ahead of it); false, after telling the listeners, when it was not sent completely (no input
        or output open, a slot the controller does not have, a device lost on the way). The editor
        itself uses startSend, which does not wait. */
    bool sendPreset (juce::uint8 slot);

    /** false: internal sync, true: external sync; returns once sent. Tells the listeners when it
        cannot be sent. The editor itself uses startSync, which does not wait. */
    void setSync (bool external);

    /** The same three without waiting: each queues its exchange and returns at once; progress and
        end reach the listeners. startGet returns false and startSend 0 when nothing was queued (a
        Get already under way, a slot the controller does not have, or no ports, which has been
        reported). A Send sends the preset as it is now; later edits are not sent. startSend
        returns the Send's id (see TransferStatus::id); the Send is read back when the verify
        option is on as it starts. */
    bool startGet (juce::uint8 slot);
    int startSend (juce::uint8 slot);

    /** Queues a Send of that image of 465 bytes rather than of the controls, as startSend does:
        to send again what a failed verify found missing. */
    int startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image);

    /** The same with a read-back of its own choice, whatever the verify option says. */
    int startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, bool verify);

    /** The same with every choice its own, whatever the options say. */
    int startSend (juce::uint8 slot, const juce::Array<juce::uint8>& image, SendOptions options);
    void startSync (bool external);

    /** Whether a Send started from now on is read back and compared (off for a new engine). */
    void setVerifyAfterSend (bool shouldVerify) { verifyAfterSend = shouldVerify; }
    bool getVerifyAfterSend() const noexcept { return verifyAfterSend; }

    /** Whether a Send started from now on writes only the bytes that differ from what the slot is
        known to hold (off for a new engine). A slot not known is written whole. */
    void setSendChangesOnly (bool shouldSendChangesOnly) { sendChangesOnly = shouldSendChangesOnly; }
    bool getSendChangesOnly() const noexcept { return sendChangesOnly; }

    /** Whether the MIDI manager knows what that slot holds now. */
    bool isSlotKnown (juce::uint8 slot) const;

    /** The image the MIDI manager knows that slot holds now; empty when it is not known. */
    juce::Array<juce::uint8> getKnownSlotImage (juce::uint8 slot) const;

    /** Live Edit: brings a known slot to the preset as it is now, writing the bytes that differ and
        reading each one back. A write still waiting for its turn takes the new preset instead, so
        that rapid steps of one byte make one write of the last value. Returns the write's id, 0
        when nothing was queued (no ports, which is reported). A write that cannot be confirmed
        ends in liveEditFailed. */
    int startLiveWrite (juce::uint8 slot);

    /** Why a read-back could not be made, as the user is told: "not verified: " + this. */
    static juce::String getControllerGoneText() { return "the controller is gone"; }

    /** Queues a read of a slot (0 to 23) with the requests and replies of a Get, into a scratch
        image: the controls are not touched. The result reaches slotRead. Returns the read's id,
        0 when nothing was queued (no ports, which is reported, or a slot the controller does not
        have). */
    int startBackupRead (juce::uint8 slot);

    /** The same read for a comparison; the result reaches slotReadForCompare. */
    bool startCompareRead (juce::uint8 slot);

    /** Queues a read of a slot's 16 name bytes alone, as startBackupRead reads a whole slot; the
        result reaches slotNameRead. Returns the read's id, 0 when nothing was queued. */
    int startNameRead (juce::uint8 slot);

    /** Writes exactly the 16 name bytes (7-bit codes) into a slot, and nothing else, and reads
        them back: completed only when all 16 read back as written; failed otherwise (told as
        midiCommunicationFailed too when the controller is gone). Returns the write's id, 0 when
        nothing was queued (no ports, which is reported, or names that are not 16 7-bit bytes). */
    int startRename (juce::uint8 slot, const juce::Array<juce::uint8>& nameBytes);

    /** Brings a slot to that image of 465 bytes: the slot is read whole first, only the bytes that
        differ are written, and each one is read back; completed only when every one reads back as
        written. A slot that holds the image already is not written, and that rests on the read.
        TransferStatus::done and total count the writes. Returns the write's id, 0 when nothing
        was queued.
        readByCaller is what the caller itself read from that slot just before (a copy or a swap
        reads its slots first): it stands for the read as long as no write of this program has
        touched the slot since, so that the slot is not read twice. The editor's memory of a slot
        alone is never trusted here: the controller may have been edited since. */
    int startSlotWrite (juce::uint8 slot, const juce::Array<juce::uint8>& image,
                        const juce::Array<juce::uint8>& readByCaller = {});

    /** While a Live Edit writes into that slot, the holder holds it: before any other write into
        it is queued (by any engine of this MIDI manager), the holder is let go and told why. */
    void holdSlot (juce::uint8 slot, SlotHolds::Holder& holder);
    void releaseSlot (SlotHolds::Holder& holder);

    /** Who writes through this engine, as another window's Live Edit is told when a write of this
        engine ends it ("window \"Lead\"", "the Slots window"); empty for "another window". */
    void setWriterName (const juce::String& name) { writerName = name; }
    juce::String getWriterName() const { return writerName; }

    /** The 16 name bytes the MIDI manager knows that slot holds; empty when they are not known. */
    juce::Array<juce::uint8> getKnownSlotName (juce::uint8 slot) const;

    /** When that slot was last read, or written and confirmed; juce::Time() when it is not known. */
    juce::Time getWhenSlotSeen (juce::uint8 slot) const;

    /** The preset dump (the preset file's content) of an image of 465 bytes for that slot. */
    juce::Array<juce::uint8> createPresetData (juce::uint8 slot, const juce::Array<juce::uint8>& image) const
    {
        return codec.createDump (slot, image);
    }

    /** The image of a preset file if the file is accepted as one; empty otherwise. Nothing is
        loaded. See PresetFileCodec::readPresetFileImage. */
    juce::Array<juce::uint8> readPresetFileImage (const juce::File& file) const
    {
        return codec.readPresetFileImage (file);
    }

    /** Whether a preset file is framed as this model's preset dump; see
        PresetFileCodec::checkPresetFileFrame. */
    juce::Result checkPresetFileFrame (const juce::File& file) const { return codec.checkPresetFileFrame (file); }

    /** Where the diagnostic lines go that note the start of a Get: the standard output unless
        set. An empty function drops them (the zkm program keeps its standard output for results). */
    void setDiagnosticsSink (std::function<void (const juce::String& line)> sink);

    /** Stops every transfer of this engine: one that waits for its turn never starts, the running
        one stops before its next message. A cancelled Get loads nothing; nothing is reported as a
        failure. Returns once they are over and the listeners have heard transferEnded. */
    void cancelTransfer();

    /** Stops this engine's Gets only, as cancelTransfer does. */
    void cancelGet();

    /** Stops the transfers of that id only (a Send and its read-back), as cancelTransfer does. */
    void cancelTransfer (int transferId);

    /** Takes the transfers of that id out of the queue if they wait for their turn; one that has
        started runs on. Returns once those taken out have ended. */
    void cancelWaitingTransfers (int transferId);

    /** True while a transfer of that id (a Send or its read-back) is queued or under way. */
    bool isTransferInProgress (int transferId) const;

    /** True while a Get of this engine is queued or under way. */
    bool isGetInProgress() const;

    /** True while a Send of this engine is queued or under way. */
    bool isSendInProgress() const;

    /** True while any transfer of this engine is queued or under way. */
    bool isTransferInProgress() const;

    /** The first of this engine's transfers that is not over; kind none when there is none. */
    TransferStatus getTransferStatus() const;

    /** Whether the listeners are being told of a transfer's progress at a steady rate (rather than
        once per message): while a transfer of this engine is queued or running. */
    bool isTimerRunning() const;

    void setPacing (const Pacing& newPacing) { pacing = newPacing; }
    Pacing getPacing() const { return pacing; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

private:
    //==============================================================================
    void createControls (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum);
    void loadImage (const juce::Array<juce::uint8>& image);
    PresetTransfer& queueTransfer (TransferStatus::Kind kind, juce::uint8 slot, juce::Array<juce::uint8> image, int id,
                                   SendOptions options, juce::Array<int> written,
                                   juce::Array<juce::uint8> readByCaller = {});
    PresetTransfer& queueTransfer (TransferStatus::Kind kind, juce::uint8 slot, juce::Array<juce::uint8> image = {});

    /** Before a write into a slot that a Live Edit holds: the Live Edit lets go, told what writes. */
    void takeOverHeldSlot (TransferStatus::Kind kind, juce::uint8 slot);
    void transferFinished (PresetTransfer& transfer);
    void reportVerification (const Verification& verification);
    void reportCommunicationFailure();
    bool arePortsOpen() const;

    /** Whether an exchange with that slot can start (both ports open, a slot the controller has, a
        valid request); tells the listeners of the failure when not. */
    bool canReach (juce::uint8 slot, bool requestIsValid = true);

    /** Queues a transfer of a slot the controller has when canReach says so; its id, or 0. */
    int queueIfReachable (TransferStatus::Kind kind, juce::uint8 slot, juce::Array<juce::uint8> image = {});

    //==============================================================================
    const juce::uint8 deviceId;
    MidiManager* const midiManager;
    const juce::String filePattern;
    const int numKnobs;
    const int numPads;
    const int numSwitches;
    const int imageLength;
    const PresetFileCodec codec;

    std::map<int, juce::OwnedArray<Control>> controls;

    Pacing pacing;
    bool verifyAfterSend = false;
    bool sendChangesOnly = false;
    juce::String writerName;
    juce::Array<Listener*> listeners;
    juce::Array<EditListener*> editListeners;

    // This engine's transfers that are not over, oldest first; message thread only.
    std::unique_ptr<PresetTransferList> transfers;

    std::function<void (const juce::String&)> diagnostics;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZKEditorEngine)
};
