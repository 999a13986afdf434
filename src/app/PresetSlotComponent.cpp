#include "app/PresetSlotComponent.h"

#include "model/ZKMModel.h"
#include "widgets/EditorColours.h"

namespace
{
constexpr int dialogWidth = 300;
constexpr int dialogHeight = 100;

juce::StringArray makeSlotNames()
{
    juce::StringArray names;

    for (int slot = 1; slot <= ZKMModel::numberOfSlots; ++slot)
        names.add (juce::String (slot));

    return names;
}
} // namespace

//==============================================================================
PresetSlotComponent::PresetSlotComponent (const juce::String& actionName, juce::Button::Listener* buttonListener)
    : actionButton (std::make_unique<juce::TextButton> (actionName))
    , cancelButton (std::make_unique<juce::TextButton> ("Cancel"))
{
    slotChooser = std::make_unique<ComboBoxWithLabel> (makeSlotNames(), "Preset Slot:", this);
    addAndMakeVisible (slotChooser.get());

    setSize (dialogWidth, dialogHeight);

    slotChooser->setBounds (50, 25, getWidth(), 20);
    actionButton->setBounds (50, slotChooser->getBottom() + 20, 75, 25);
    cancelButton->setBounds (actionButton->getRight() + 50, actionButton->getY(), 75, 25);

    actionButton->addListener (buttonListener);
    cancelButton->addListener (buttonListener);
    addAndMakeVisible (actionButton.get());
    addAndMakeVisible (cancelButton.get());

    setLookAndFeel (&look);
}

PresetSlotComponent::~PresetSlotComponent() { setLookAndFeel (nullptr); }

//==============================================================================
void PresetSlotComponent::paint (juce::Graphics& g) { g.fillAll (EditorColours::blue); }

void PresetSlotComponent::comboBoxChanged (juce::ComboBox* comboBox)
{
    selectedSlot = static_cast<juce::uint8> (comboBox->getSelectedId());
}
