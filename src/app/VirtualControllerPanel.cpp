#include "app/VirtualControllerPanel.h"

#include "app/VirtualControllerColours.h"

namespace
{
constexpr int margin = 14;
constexpr int gap = 8;
constexpr int topRowHeight = 240;

constexpr int leftColumnWidth = 220;
constexpr int slotRowHeight = 26;
constexpr int transportColumns = 3;
constexpr int transportWidth = 68;
constexpr int transportHeight = 34;
constexpr int pedalWidth = 80;
constexpr int pedalHeight = 80;

constexpr int knobColumns = 8;
constexpr int knobWidth = 64;
constexpr int knobHeight = 100;

constexpr int padColumns = 4;
constexpr int padSize = 56;

constexpr int switchColumns = 16;
constexpr int switchHeight = 24;

constexpr int wheelWidth = 46;
constexpr int keyboardHeight = 150;

constexpr int numKeys = ZKMModel::numKeys;

int rowsOf (int count, int columns) { return (count + columns - 1) / columns; }

const int switchRowsHeight = rowsOf (ZKMModel::numSwitches, switchColumns) * (switchHeight + gap) - gap;
const int padsWidth = padColumns * (padSize + gap) - gap;
const int panelWidth = margin + leftColumnWidth + 2 * gap + knobColumns * knobWidth + 2 * gap + padsWidth + margin;
const int panelHeight = margin + topRowHeight + margin + switchRowsHeight + margin + keyboardHeight + margin;

/** Places the components in a grid from that corner, row by row. */
template <typename ComponentArray>
void placeGrid (ComponentArray& components, juce::Point<int> origin, int columns, int width, int height, int spacing)
{
    for (int i = 0; i < components.size(); ++i)
        components[i]->setBounds (origin.x + (i % columns) * (width + spacing),
                                  origin.y + (i / columns) * (height + spacing), width, height);
}
} // namespace

//==============================================================================
VirtualControllerPanel::VirtualControllerPanel (VirtualController& controller)
    : player (controller)
    , keyboard (numKeys)
{
    for (int slot = 0; slot < VirtualController::numberOfSlots; ++slot)
        slotBox.addItem ("Slot " + juce::String (slot + 1), slot + 1);

    slotBox.onChange = [this]
    {
        if (slotBox.getSelectedId() > 0)
            player.setActiveSlot (slotBox.getSelectedId() - 1);

        followController();
    };

    slotLabel.setColour (juce::Label::textColourId, VirtualControllerColours::label);
    slotLabel.attachToComponent (&slotBox, true);
    addAndMakeVisible (slotBox);

    for (int i = 0; i < ZKMModel::numKnobs; ++i)
        knobs.add (&addDial (Knob, i, "Knob " + juce::String (i + 1), VirtualControllerDial::Style::knob));

    for (int i = 0; i < ZKMModel::numPads; ++i)
        pads.add (&addPad (Pad, i, "Pad " + juce::String (i + 1), VirtualControllerPad::Style::pad));

    for (int i = 0; i < ZKMModel::numSwitches; ++i)
        switches.add (&addPad (Switch, i, "Switch " + juce::String (i + 1), VirtualControllerPad::Style::switchKey));

    const auto transportNames = PresetLayout::getTypeNames (Transport).instances;

    for (int i = 0; i < transportNames.size; ++i)
        transport.add (&addPad (Transport, i, transportNames.first[i], VirtualControllerPad::Style::transport));

    pitchWheel.reset (&addDial (Wheels, 0, "Pitch Wheel", VirtualControllerDial::Style::springWheel));
    modWheel.reset (&addDial (Wheels, 1, "Mod Wheel", VirtualControllerDial::Style::wheel));
    sustainPedal.reset (&addPad (Sustain, 0, "Sustain Pedal", VirtualControllerPad::Style::pedal));

    keyboard.onKey = [this] (int key, bool down) { player.key (key, down); };
    addAndMakeVisible (keyboard);

    setSize (panelWidth, panelHeight);
    followController();
    startTimer (followIntervalMs);
}

VirtualControllerPanel::~VirtualControllerPanel()
{
    stopTimer();

    // A window closed while a key or pad is held still ends its note, as letting go would.
    keyboard.releaseAll();

    for (const auto& pressable : pressables)
        pressable.first->releaseIfHeld();
}

//==============================================================================
VirtualControllerDial& VirtualControllerPanel::addDial (ControlType type, int index, const juce::String& name,
                                                        VirtualControllerDial::Style style)
{
    const auto start = style == VirtualControllerDial::Style::springWheel ? VirtualControllerDial::centrePosition : 0;
    auto* dial = new VirtualControllerDial (name, style, start); // owned by the array or pointer it is given to
    const auto control = refOf (type, index);
    dial->onTurn = [this, control] (int position) { player.turn (control, position); };
    addAndMakeVisible (dial);
    return *dial;
}

VirtualControllerPad& VirtualControllerPanel::addPad (ControlType type, int index, const juce::String& name,
                                                      VirtualControllerPad::Style style)
{
    auto* pad = new VirtualControllerPad (name, style); // owned by the array or pointer it is given to
    const auto control = refOf (type, index);
    pad->onPress = [this, control] (int velocity)
    {
        player.press (control, velocity);
        showToggles();
    };
    pad->onRelease = [this, control] { player.release (control); };
    pad->onPressure = [this, control] (int pressure) { player.pressure (control, pressure); };
    pressables.add ({ pad, control });
    addAndMakeVisible (pad);
    return *pad;
}

PresetMessages::ControlRef VirtualControllerPanel::refOf (ControlType type, int index)
{
    ControlRef control;
    control.controlType = type;
    control.controlIndex = index;
    return control;
}

//==============================================================================
void VirtualControllerPanel::followController()
{
    const auto slot = player.getActiveSlot();

    if (slot != shownSlot)
    {
        shownSlot = slot;
        slotBox.setSelectedId (slot + 1, juce::dontSendNotification);
    }

    showToggles();
}

void VirtualControllerPanel::showToggles()
{
    for (const auto& pressable : pressables)
        pressable.first->setOn (player.isOn (pressable.second));
}

//==============================================================================
void VirtualControllerPanel::paint (juce::Graphics& g)
{
    g.fillAll (VirtualControllerColours::background);
    g.setColour (VirtualControllerColours::body);
    g.fillRoundedRectangle (getLocalBounds().toFloat().reduced (4.0f), 10.0f);
}

void VirtualControllerPanel::resized()
{
    const int left = margin + 40; // room for the slot box's label
    slotBox.setBounds (left, margin, leftColumnWidth - 40, slotRowHeight);

    const auto transportTop = margin + slotRowHeight + 2 * gap;
    placeGrid (transport, { margin, transportTop }, transportColumns, transportWidth, transportHeight, gap);
    sustainPedal->setBounds (margin, margin + topRowHeight - pedalHeight, pedalWidth, pedalHeight);

    const auto knobsLeft = margin + leftColumnWidth + 2 * gap;
    const auto knobsTop = margin + (topRowHeight - 2 * knobHeight) / 2;
    placeGrid (knobs, { knobsLeft, knobsTop }, knobColumns, knobWidth, knobHeight, 0);

    placeGrid (pads, { getWidth() - margin - padsWidth, margin }, padColumns, padSize, padSize, gap);

    const auto switchesTop = margin + topRowHeight + margin;
    const auto switchWidth = (getWidth() - 2 * margin + gap) / switchColumns - gap;
    placeGrid (switches, { margin, switchesTop }, switchColumns, switchWidth, switchHeight, gap);

    const auto bottomTop = switchesTop + switchRowsHeight + margin;
    pitchWheel->setBounds (margin, bottomTop, wheelWidth, keyboardHeight);
    modWheel->setBounds (margin + wheelWidth + gap, bottomTop, wheelWidth, keyboardHeight);

    const auto keyboardLeft = margin + 2 * (wheelWidth + gap);
    keyboard.setBounds (keyboardLeft, bottomTop, getWidth() - margin - keyboardLeft, keyboardHeight);
}
