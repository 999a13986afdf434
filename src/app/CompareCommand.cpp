#include "app/CompareCommand.h"

#include "app/EditorWindow.h"
#include "app/PlatformDialogs.h"

//==============================================================================
CompareCommand::CompareCommand (EditorWindow& windowToUse)
    : window (windowToUse)
{
}

CompareCommand::~CompareCommand() { compareWindow.reset(); }

bool CompareCommand::compareWithFile()
{
    // Gone together with the window when it went while the chooser was open.
    const auto chosen = window.askForFile ("Select File to compare", false);

    if (chosen == juce::File())
        return false;

    return compareWithFile (chosen);
}

bool CompareCommand::compareWithFile (const juce::File& file)
{
    window.commitOpenEdits();
    const auto image = window.getEngine()->readPresetFileImage (file);

    if (image.isEmpty())
    {
        window.presetFileRejected (file.getFileName());
        return false;
    }

    show (image, file.getFileName());
    return true;
}

bool CompareCommand::compareWithSlot()
{
    const auto slot = window.askForSlot (window.chooseCompareSlot);
    return slot.has_value() && compareWithSlot (*slot);
}

bool CompareCommand::compareWithSlot (juce::uint8 slot)
{
    window.commitOpenEdits();
    return window.getEngine()->startCompareRead (slot);
}

void CompareCommand::slotRead (juce::uint8 slot, const juce::Array<juce::uint8>& image)
{
    show (image, "Slot " + juce::String (slot + 1));
}

void CompareCommand::show (const juce::Array<juce::uint8>& image, const juce::String& otherName)
{
    compareWindow = std::make_unique<CompareWindow> (window.getEngine(), image, otherName);
    compareWindow->toFront (true);
}

int CompareCommand::runSlotChooser()
{
    return PlatformDialogs::runSlotChooser ("Compare With Slot",
                                            "Compare this window's preset with a slot of the controller.", "Compare");
}
