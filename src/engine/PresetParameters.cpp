#include "engine/PresetParameters.h"

#include "engine/ParameterDescriptions.h"
#include "model/ControlType.h"
#include "model/ZKControlsToMidiDin.h"
#include "model/ZKKeybed.h"
#include "model/ZKKnob.h"
#include "model/ZKMModel.h"
#include "model/ZKPad.h"
#include "model/ZKPresetName.h"
#include "model/ZKRollMode.h"
#include "model/ZKSustain.h"
#include "model/ZKSwitch.h"
#include "model/ZKTransport.h"
#include "model/ZKWheels.h"

#include <map>

namespace
{
constexpr int dataByteMaximum = 127;

/** The name under which the byte at that position of the control's block is shown in that mode. */
juce::String nameOfByte (Control& control, int controlType, int byteIndex, int mode)
{
    const auto& modes = ParameterDescriptions::getModes (controlType);

    if (juce::isPositiveAndBelow (mode, (int) modes.size()))
        for (const auto& name : modes[(size_t) mode].parameters)
            if (control.getIndex (name) == byteIndex)
                return name;

    for (const auto& name : control.getParameterNames())
        if (control.getIndex (name) == byteIndex)
            return name;

    return {};
}

bool isUsedByMode (int controlType, const juce::String& name, int mode)
{
    const auto& modes = ParameterDescriptions::getModes (controlType);
    return juce::isPositiveAndBelow (mode, (int) modes.size()) && modes[(size_t) mode].parameters.contains (name);
}

bool isWholeNumber (const juce::String& text)
{
    const auto digits = text.startsWithChar ('-') || text.startsWithChar ('+') ? text.substring (1) : text;
    return digits.isNotEmpty() && digits.length() <= 6 && digits.containsOnly ("0123456789");
}

using ControlsByType = std::map<int, juce::OwnedArray<Control>>;

/** The ZKM's controls as an engine makes them, for a listing without an engine and its MIDI
    manager; only their layout is read. The blocks give the layout: the transport buttons fill the
    gap between the roll mode and the wheels, the banks of knobs, pads and switches follow the
    sustain pedal, and the MIDI-to-DIN flags close the image. */
ControlsByType createZKMControls()
{
    ControlsByType controls;
    controls[PresetName].add (new ZKPresetName());
    controls[Keybed].add (new ZKKeybed (ZKMModel::splitPointMaximum, ZKMModel::octaveMaximum));
    controls[RollMode].add (new ZKRollMode());
    controls[Wheels].add (new ZKWheels());
    controls[Sustain].add (new ZKSustain());

    for (int offset = ZKRollMode::fixedOffset + ZKRollMode::blockLength; offset < ZKWheels::fixedOffset;
         offset += ZKTransport::blockLength)
        controls[Transport].add (new ZKTransport (offset));

    auto offset = ZKSustain::fixedOffset + ZKSustain::blockLength;

    for (int i = 0; i < ZKMModel::numKnobs; ++i, offset += ZKKnob::blockLength)
        controls[Knob].add (new ZKKnob (offset));

    for (int i = 0; i < ZKMModel::numPads; ++i, offset += ZKPad::blockLength)
        controls[Pad].add (new ZKPad (offset));

    for (int i = 0; i < ZKMModel::numSwitches; ++i, offset += ZKSwitch::blockLength)
        controls[Switch].add (new ZKSwitch (offset));

    controls[MidiToDin].add (new ZKControlsToMidiDin (offset));
    return controls;
}
} // namespace

juce::Array<PresetParameters::Parameter> PresetParameters::list (const juce::Array<juce::uint8>& image)
{
    auto controls = createZKMControls();
    return listControls ([&controls] (int type) -> juce::OwnedArray<Control>& { return controls[type]; }, image);
}

juce::Array<PresetParameters::Parameter> PresetParameters::list (ZKEditorEngine& layout,
                                                                 const juce::Array<juce::uint8>& image)
{
    return listControls ([&layout] (int type) -> juce::OwnedArray<Control>& { return layout.getControls (type); },
                         image);
}

int PresetParameters::getImageLength (ZKEditorEngine& layout)
{
    int length = 0;

    for (int type = PresetName; type <= MidiToDin; ++type)
        for (auto* control : layout.getControls (type))
            length = juce::jmax (length, control->getOffset() + control->getValues().size());

    return length;
}

juce::Array<PresetParameters::Parameter> PresetParameters::listControls (const ControlsOf& controlsOf,
                                                                         const juce::Array<juce::uint8>& image)
{
    juce::Array<Parameter> parameters;

    for (int type = PresetName; type <= MidiToDin; ++type)
    {
        auto& controls = controlsOf (type);

        for (int controlIndex = 0; controlIndex < controls.size(); ++controlIndex)
        {
            auto& control = *controls.getUnchecked (controlIndex);
            const auto blockLength = control.getValues().size();
            const auto hasModes = ! ParameterDescriptions::getModes (type).empty();
            const auto modePosition = control.getOffset() + juce::jmax (0, control.getIndex ("Mode"));
            const int mode = hasModes ? (int) image[modePosition] : -1;

            for (int byte = 0; byte < blockLength; ++byte)
            {
                const auto position = control.getOffset() + byte;
                if (! juce::isPositiveAndBelow (position, image.size()))
                    continue;

                // A byte that no parameter addresses is still part of the image; it keeps any 7-bit value.
                const auto name = nameOfByte (control, type, byte, mode);
                const auto unnamed = name.isEmpty();

                Parameter parameter;
                parameter.controlType = type;
                parameter.controlIndex = controlIndex;
                parameter.imageIndex = position;
                parameter.controlName = ParameterDescriptions::getControlName (type, controlIndex, name);
                parameter.shownInEditor =
                    ! unnamed && (! hasModes || name == "Mode" || isUsedByMode (type, name, mode));
                parameter.name = unnamed ? "Byte " + juce::String (byte + 1) : name;
                parameter.label = unnamed ? parameter.name : ParameterDescriptions::getParameterLabel (type, name);
                parameter.value = image[position];

                if (unnamed)
                {
                    parameter.displayValue = juce::String ((int) parameter.value);
                    parameter.displayMaximum = dataByteMaximum;
                }
                else
                {
                    parameter.displayValue = ParameterDescriptions::getDisplayValue (type, name, parameter.value);
                    parameter.listEntries = ParameterDescriptions::getListEntries (type, name);
                    parameter.displayOffset = ParameterDescriptions::getDisplayOffset (type, name);
                    parameter.displayMinimum = (int) control.getMinimum (name) + parameter.displayOffset;
                    parameter.displayMaximum = (int) control.getMaximum (name) + parameter.displayOffset;
                }

                parameters.add (parameter);
            }
        }
    }

    // Controls are kept by type; the image order is easier to follow in a list.
    std::stable_sort (parameters.begin(), parameters.end(),
                      [] (const Parameter& a, const Parameter& b) { return a.imageIndex < b.imageIndex; });
    return parameters;
}

juce::Result PresetParameters::parseDisplayValue (const Parameter& parameter, const juce::String& text,
                                                  juce::uint8& storedValue)
{
    const auto where = parameter.controlName + " " + parameter.label.quoted();
    const auto trimmed = text.trim();

    if (! parameter.listEntries.isEmpty())
    {
        // A list offers its entries, as far as the control accepts them.
        auto entry = parameter.listEntries.indexOf (trimmed, true);

        if (entry < 0 && isWholeNumber (trimmed))
            entry = trimmed.getIntValue();

        const auto lowest = parameter.displayMinimum - parameter.displayOffset;
        const auto highest =
            juce::jmin (parameter.displayMaximum - parameter.displayOffset, parameter.listEntries.size() - 1);

        if (entry < lowest || entry > highest)
        {
            juce::StringArray offered;

            for (int k = juce::jmax (0, lowest); k <= highest; ++k)
                offered.add (parameter.listEntries[k].quoted());

            return juce::Result::fail (where + " takes " + offered.joinIntoString (", ") + ", not " + trimmed.quoted());
        }

        storedValue = (juce::uint8) entry;
        return juce::Result::ok();
    }

    const auto range = juce::String (parameter.displayMinimum) + " to " + juce::String (parameter.displayMaximum);

    if (! isWholeNumber (trimmed))
        return juce::Result::fail (where + " takes a whole number from " + range + ", not " + trimmed.quoted());

    const auto shown = trimmed.getIntValue();

    if (shown < parameter.displayMinimum || shown > parameter.displayMaximum)
        return juce::Result::fail (where + " takes a number from " + range + ", not " + trimmed);

    storedValue = (juce::uint8) (shown - parameter.displayOffset);
    return juce::Result::ok();
}
