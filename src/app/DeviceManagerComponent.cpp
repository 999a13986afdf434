#include "app/DeviceManagerComponent.h"

#include "BinaryData.h"

namespace
{
constexpr int dialogWidth = 360;
constexpr int dialogHeight = 425;
constexpr float captionFontHeight = 15.0f;

const juce::Rectangle<int> inputFieldArea (15, 60, 327, 141);
const juce::Rectangle<int> outputFieldArea (15, 228, 327, 141);

// Wide enough for the whole word at the caption's font height, and short of the rule that the
// background draws beside each caption.
const juce::Rectangle<int> inputCaptionArea (25, 44, 49, 18);
const juce::Rectangle<int> outputCaptionArea (23, 213, 65, 17);
} // namespace

//==============================================================================
DeviceManagerComponent::DeviceManagerComponent (juce::Button::Listener* buttonListener)
{
    okButton.addListener (buttonListener);
    applyButton.addListener (buttonListener);
    cancelButton.addListener (buttonListener);

    backgroundImage = juce::ImageCache::getFromMemory (BinaryData::DeviceManager_Background_png,
                                                       BinaryData::DeviceManager_Background_pngSize);
    listFieldImage = juce::ImageCache::getFromMemory (BinaryData::DeviceManager_ListField_png,
                                                      BinaryData::DeviceManager_ListField_pngSize);

    inputList.setName ("Input Devices");
    outputList.setName ("Output Devices");
    inputList.setModel (&inputModel);
    outputList.setModel (&outputModel);

    // Transparent, so that the list field picture shows through.
    inputList.setColour (juce::ListBox::backgroundColourId, juce::Colour (0x00ffffff));
    outputList.setColour (juce::ListBox::backgroundColourId, juce::Colour (0x00ffffff));

    addAndMakeVisible (okButton);
    addAndMakeVisible (cancelButton);
    addAndMakeVisible (applyButton);
    addAndMakeVisible (inputList);
    addAndMakeVisible (outputList);

    setLookAndFeel (&look);
    setSize (dialogWidth, dialogHeight);
}

DeviceManagerComponent::~DeviceManagerComponent()
{
    setLookAndFeel (nullptr);
    inputList.setModel (nullptr);
    outputList.setModel (nullptr);
}

//==============================================================================
void DeviceManagerComponent::setDeviceNames (const juce::StringArray& inputNames, const juce::StringArray& outputNames)
{
    inputModel.names = inputNames;
    outputModel.names = outputNames;
    inputList.updateContent();
    outputList.updateContent();
}

void DeviceManagerComponent::selectInputDevice (const juce::String& deviceName)
{
    selectRowNamed (inputList, inputModel, deviceName);
}

void DeviceManagerComponent::selectOutputDevice (const juce::String& deviceName)
{
    selectRowNamed (outputList, outputModel, deviceName);
}

juce::String DeviceManagerComponent::getSelectedInputName() const { return getSelectedName (inputList, inputModel); }

juce::String DeviceManagerComponent::getSelectedOutputName() const { return getSelectedName (outputList, outputModel); }

//==============================================================================
void DeviceManagerComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.drawImage (backgroundImage, getLocalBounds().toFloat());
    g.drawImage (listFieldImage, inputFieldArea.toFloat());
    g.drawImage (listFieldImage, outputFieldArea.toFloat());

    g.setColour (juce::Colours::black);
    g.setFont (captionFontHeight);
    g.drawText ("INPUT", inputCaptionArea, juce::Justification::centredLeft, true);
    g.drawText ("OUTPUT", outputCaptionArea, juce::Justification::centredLeft, true);
}

void DeviceManagerComponent::resized()
{
    inputList.setBounds (15, 69, 327, 123);
    outputList.setBounds (15, 240, 327, 123);
    okButton.setBounds (16, 381, 72, 32);
    cancelButton.setBounds (120, 381, 88, 30);
    applyButton.setBounds (248, 381, 88, 30);
}

//==============================================================================
void DeviceManagerComponent::selectRowNamed (juce::ListBox& list, const DeviceListModel& model,
                                             const juce::String& deviceName)
{
    for (int row = 0; row < model.names.size(); ++row)
        if (model.names[row] == deviceName)
            list.selectRow (row);
}

juce::String DeviceManagerComponent::getSelectedName (const juce::ListBox& list, const DeviceListModel& model)
{
    const auto row = list.getSelectedRow();
    return row >= 0 ? model.names[row] : juce::String();
}
