#include "engine/ZKEditorEngine.h"

#include "engine/PresetFileWriter.h"
#include "engine/PresetTransferList.h"
#include "model/ListenerWalk.h"
#include "model/ZKControlsToMidiDin.h"
#include "model/ZKKeybed.h"
#include "model/ZKKnob.h"
#include "model/ZKPad.h"
#include "model/ZKPresetName.h"
#include "model/ZKRollMode.h"
#include "model/ZKSustain.h"
#include "model/ZKSwitch.h"
#include "model/ZKTransport.h"
#include "model/ZKWheels.h"

#include <iostream>

namespace
{
// The image ends with the banks of knobs, pads and switches, whose sizes an engine is given, and the
// MIDI-to-DIN flags.
constexpr int firstBankOffset = PresetLayout::getFirstOffset (Knob);
constexpr int bankBlockLength = PresetLayout::getBlockLength (Knob);

static_assert (PresetLayout::getBlockLength (Pad) == bankBlockLength
                   && PresetLayout::getBlockLength (Switch) == bankBlockLength,
               "knobs, pads and switches share one block length");
static_assert (PresetLayout::getFirstOffset (MidiToDin)
                   == PresetLayout::getOffset (Switch, PresetLayout::getCount (Switch)),
               "the MIDI-to-DIN flags follow the last switch");

/** The default sink of the diagnostic lines: the standard output, a line at a time. */
void printLine (const juce::String& line) { std::cout << line << "\r\n" << std::flush; }
} // namespace

//==============================================================================
ZKEditorEngine::ZKEditorEngine (juce::uint8 deviceIdToUse, MidiManager* midiManagerToUse, juce::String filePatternToUse,
                                juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum, int numKnobsToUse,
                                int numPadsToUse, int numSwitchesToUse)
    : deviceId (deviceIdToUse)
    , midiManager (midiManagerToUse)
    , filePattern (filePatternToUse)
    , numKnobs (numKnobsToUse)
    , numPads (numPadsToUse)
    , numSwitches (numSwitchesToUse)
    , imageLength (firstBankOffset + bankBlockLength * (numKnobsToUse + numPadsToUse + numSwitchesToUse)
                   + ZKControlsToMidiDin::blockLength)
    , codec (deviceIdToUse, imageLength)
    , transfers (std::make_unique<PresetTransferList> (midiManagerToUse->getTransferQueue()))
    , diagnostics (printLine)
{
    jassert (midiManager != nullptr);
    createControls (splitPointMaximum, octaveMaximum);

    transfers->onProgress = [this] (const TransferStatus& status)
    { ListenerWalk::newestFirst (listeners, [&] (auto* listener) { listener->transferProgressed (status); }); };
}

ZKEditorEngine::~ZKEditorEngine()
{
    // Only a Get can be left here (a Send keeps its engine alive): it is cancelled, and once the
    // queue is done with it the MIDI input thread no longer reaches it.
    transfers->detachAll();
    transfers->cancelKind (TransferStatus::Kind::none);
}

void ZKEditorEngine::createControls (juce::uint8 splitPointMaximum, juce::uint8 octaveMaximum)
{
    // The blocks follow one another in the order of the layout; the banks have as many controls as
    // this engine was given. A type without a class of its own is a plain control of the layout.
    auto createControl = [&] (ControlType type, int offset) -> Control*
    {
        switch (type)
        {
            case PresetName:
                return new ZKPresetName();
            case Keybed:
                return new ZKKeybed (splitPointMaximum, octaveMaximum);
            case Transport:
                return new ZKTransport (offset);
            case RollMode:
                return new ZKRollMode();
            case Wheels:
                return new ZKWheels();
            case Sustain:
                return new ZKSustain();
            case Switch:
                return new ZKSwitch (offset);
            case Knob:
                return new ZKKnob (offset);
            case Pad:
                return new ZKPad (offset);
            case MidiToDin:
                return new ZKControlsToMidiDin (offset);
            default:
                return new LayoutControl (type, offset);
        }
    };

    int offset = 0;

    for (const auto& block : PresetLayout::blocks)
    {
        const auto type = block.type;
        const auto count = type == Knob ? numKnobs : type == Pad ? numPads : type == Switch ? numSwitches : block.count;
        auto& group = (controls[type] = {});

        for (int i = 0; i < count; ++i, offset += block.blockLength)
            group.add (createControl (type, offset));
    }
}

//==============================================================================
juce::OwnedArray<Control>& ZKEditorEngine::getControls (int controlType) { return controls[controlType]; }

void ZKEditorEngine::setParameter (int controlType, juce::String parameterName, juce::uint8 value)
{
    auto found = controls.find (controlType);

    if (found == controls.end() || found->second.isEmpty())
        return;

    found->second.getFirst()->setValue (parameterName, value, false);
}

bool ZKEditorEngine::editParameter (int controlType, int controlIndex, const juce::String& parameterName,
                                    juce::uint8 value, Control::Listener* writer)
{
    auto* control = getControls (controlType)[controlIndex];

    if (control == nullptr)
        return false;

    const auto oldValue = control->getValue (parameterName);

    // An unchanged byte (a list answering a load with the entry it was given) is no edit, and no
    // one needs to hear of it.
    if (oldValue == value)
        return true;

    if (! control->setValueFromUser (parameterName, value, writer))
        return false;

    const ParameterEdit edit{ controlType, controlIndex, parameterName, oldValue, value };

    ListenerWalk::newestFirst (editListeners, [&] (auto* listener) { listener->parameterEdited (edit); });

    return true;
}

int ZKEditorEngine::editParameters (const juce::String& actionName, const juce::Array<ParameterEdit>& edits)
{
    const auto listenersAtStart = editListeners;

    for (auto* listener : listenersAtStart)
        if (editListeners.contains (listener))
            listener->editGroupStarted();

    int numChanged = 0;

    for (const auto& edit : edits)
    {
        auto* control = getControls (edit.controlType)[edit.controlIndex];

        if (control == nullptr || control->getValue (edit.parameterName) == edit.newValue)
            continue;

        if (editParameter (edit.controlType, edit.controlIndex, edit.parameterName, edit.newValue, nullptr))
            ++numChanged;
    }

    for (auto* listener : listenersAtStart)
        if (editListeners.contains (listener))
            listener->editGroupEnded (actionName);

    return numChanged;
}

void ZKEditorEngine::addEditListener (EditListener* listener)
{
    if (listener != nullptr)
        editListeners.addIfNotAlreadyThere (listener);
}

void ZKEditorEngine::removeEditListener (EditListener* listener) { editListeners.removeFirstMatchingValue (listener); }

//==============================================================================
juce::Array<juce::uint8> ZKEditorEngine::getPresetImage()
{
    juce::Array<juce::uint8> image;
    image.insertMultiple (0, 0, imageLength);

    // Every block goes to its own offset; together they cover the image without gaps.
    for (auto& typeAndControls : controls)
    {
        for (auto* control : typeAndControls.second)
        {
            const auto block = control->getValues();

            for (int i = 0; i < block.size(); ++i)
                if (juce::isPositiveAndBelow (control->getOffset() + i, imageLength))
                    image.set (control->getOffset() + i, block.getUnchecked (i));
        }
    }

    return image;
}

juce::Array<juce::uint8> ZKEditorEngine::createPresetData (juce::uint8 slot)
{
    return codec.createDump (slot, getPresetImage());
}

void ZKEditorEngine::loadPresetData (const juce::Array<juce::uint8>& presetData)
{
    loadImage (PresetFileCodec::getImageOfDump (presetData));
}

void ZKEditorEngine::loadImage (const juce::Array<juce::uint8>& image)
{
    for (int type = 0; type < numControlTypes; ++type)
        for (auto* control : controls[type])
            control->loadFromImage (image);
}

bool ZKEditorEngine::loadPresetFile (const juce::File& file)
{
    const auto image = codec.readPresetFileImage (file);

    if (image.isEmpty())
        return false;

    loadImage (image);
    return true;
}

juce::Result ZKEditorEngine::savePresetFile (const juce::File& file)
{
    return PresetFileWriter (codec).write (getPresetImage(), file);
}

void ZKEditorEngine::setDiagnosticsSink (std::function<void (const juce::String&)> sink)
{
    diagnostics = std::move (sink);
}

//==============================================================================
void ZKEditorEngine::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void ZKEditorEngine::removeListener (Listener* listener) { listeners.removeFirstMatchingValue (listener); }
