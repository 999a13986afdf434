#include "app/DeviceManagerComponent.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"

namespace
{
constexpr int dialogWidth = 360;
constexpr int artworkHeight = 425;
constexpr int findRowHeight = 40; // the row of "Find Controller", below the artwork
constexpr int dialogHeight = artworkHeight + findRowHeight;
constexpr float captionFontHeight = 15.0f;
constexpr float emptyListFontHeight = 15.0f;
const juce::Colour emptyListTextColour (0xffffffff);

const juce::Rectangle<int> inputFieldArea (15, 60, 327, 141);
const juce::Rectangle<int> outputFieldArea (15, 228, 327, 141);

// Wide enough for the whole word at the caption's font height, and short of the rule that the
// background draws beside each caption.
const juce::Rectangle<int> inputCaptionArea (25, 44, 49, 18);
const juce::Rectangle<int> outputCaptionArea (23, 213, 65, 17);
const juce::Rectangle<int> artworkArea (0, 0, dialogWidth, artworkHeight);
const juce::Rectangle<int> inputListArea (15, 69, 327, 123);
const juce::Rectangle<int> outputListArea (15, 240, 327, 123);
} // namespace

const juce::String DeviceManagerComponent::noMidiServiceText ("No MIDI system found: is ALSA's sequencer loaded?");

//==============================================================================
DeviceManagerComponent::DeviceManagerComponent (juce::Button::Listener* buttonListener)
{
    okButton.addListener (buttonListener);
    applyButton.addListener (buttonListener);
    cancelButton.addListener (buttonListener);
    findButton.addListener (buttonListener);

    // Both pictures are drawn by the dialog's first paint.
    backgroundImage = EmbeddedImages::loadForFirstPaint (ZKM_EMBEDDED_PICTURE (DeviceManager_Background));
    listFieldImage = EmbeddedImages::loadForFirstPaint (ZKM_EMBEDDED_PICTURE (DeviceManager_ListField));

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
    addAndMakeVisible (findButton);

    finderStatus.setColour (juce::Label::textColourId, juce::Colours::black);
    finderStatus.setFont (captionFontHeight);
    finderStatus.setMinimumHorizontalScale (0.7f);
    addAndMakeVisible (finderStatus);

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

void DeviceManagerComponent::setMidiServiceMissing (bool isMissing)
{
    midiServiceMissing = isMissing;
    repaint();
}

juce::String DeviceManagerComponent::getEmptyListText() const
{
    const bool anyListEmpty = inputModel.names.isEmpty() || outputModel.names.isEmpty();
    return midiServiceMissing && anyListEmpty ? noMidiServiceText : juce::String();
}

void DeviceManagerComponent::setFinderStatus (const juce::String& text)
{
    finderStatus.setText (text, juce::dontSendNotification);
}

juce::String DeviceManagerComponent::getSelectedInputName() const { return getSelectedName (inputList, inputModel); }

juce::String DeviceManagerComponent::getSelectedOutputName() const { return getSelectedName (outputList, outputModel); }

//==============================================================================
void DeviceManagerComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    backgroundImage.draw (g, artworkArea.toFloat());
    listFieldImage.draw (g, inputFieldArea.toFloat());
    listFieldImage.draw (g, outputFieldArea.toFloat());

    g.setColour (juce::Colours::black);
    g.setFont (captionFontHeight);
    g.drawText ("INPUT", inputCaptionArea, juce::Justification::centredLeft, true);
    g.drawText ("OUTPUT", outputCaptionArea, juce::Justification::centredLeft, true);

    if (midiServiceMissing)
    {
        g.setColour (emptyListTextColour);
        g.setFont (emptyListFontHeight);

        if (inputModel.names.isEmpty())
            g.drawFittedText (noMidiServiceText, inputListArea.reduced (10), juce::Justification::centred, 2);

        if (outputModel.names.isEmpty())
            g.drawFittedText (noMidiServiceText, outputListArea.reduced (10), juce::Justification::centred, 2);
    }
}

void DeviceManagerComponent::resized()
{
    inputList.setBounds (inputListArea);
    outputList.setBounds (outputListArea);
    okButton.setBounds (16, 381, 72, 32);
    cancelButton.setBounds (120, 381, 88, 30);
    applyButton.setBounds (248, 381, 88, 30);
    findButton.setBounds (16, artworkHeight + 5, 120, 30);
    finderStatus.setBounds (144, artworkHeight + 5, 200, 30);
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
