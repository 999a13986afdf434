#pragma once

#include "app/DeviceListModel.h"
#include "images/ScalableImage.h"
#include "widgets/CustomLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The content of the device setup dialog: a list of MIDI inputs, a list of MIDI outputs, the
    buttons "OK", "Apply" and "Cancel", and below them "Find Controller" with a line that tells how
    the search went. All button clicks go to the dialog window. */
class DeviceManagerComponent : public juce::Component
{
public:
    explicit DeviceManagerComponent (juce::Button::Listener* buttonListener);
    ~DeviceManagerComponent() override;

    //==============================================================================
    /** Shows these names; the lists are not refreshed while the dialog is open. */
    void setDeviceNames (const juce::StringArray& inputNames, const juce::StringArray& outputNames);

    /** Selects the row with that name (the last one, should a name occur twice); none when absent. */
    void selectInputDevice (const juce::String& deviceName);
    void selectOutputDevice (const juce::String& deviceName);

    /** Empty when no row is selected. */
    juce::String getSelectedInputName() const;
    juce::String getSelectedOutputName() const;

    /** Each list that is empty then says that the system has no MIDI service at all. */
    void setMidiServiceMissing (bool isMissing);
    juce::String getEmptyListText() const;

    /** The line beside "Find Controller". */
    void setFinderStatus (const juce::String& text);
    juce::String getFinderStatus() const { return finderStatus.getText(); }

    static const juce::String noMidiServiceText;

    juce::ListBox& getInputList() noexcept { return inputList; }
    juce::ListBox& getOutputList() noexcept { return outputList; }
    juce::TextButton& getOkButton() noexcept { return okButton; }
    juce::TextButton& getApplyButton() noexcept { return applyButton; }
    juce::TextButton& getCancelButton() noexcept { return cancelButton; }
    juce::TextButton& getFindButton() noexcept { return findButton; }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    static void selectRowNamed (juce::ListBox& list, const DeviceListModel& model, const juce::String& deviceName);
    static juce::String getSelectedName (const juce::ListBox& list, const DeviceListModel& model);

    //==============================================================================
    juce::TextButton okButton{ "OK" };
    juce::TextButton applyButton{ "Apply" };
    juce::TextButton cancelButton{ "Cancel" };
    juce::TextButton findButton{ "Find Controller" };
    juce::Label finderStatus{ "Find Controller Status" };
    bool midiServiceMissing = false;
    ScalableImage backgroundImage;
    ScalableImage listFieldImage;
    DeviceListModel inputModel;
    DeviceListModel outputModel;
    juce::ListBox inputList;
    juce::ListBox outputList;
    CustomLook look;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceManagerComponent)
};
