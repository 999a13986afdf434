#include "app/SaveFileSuggestion.h"

#include "model/PresetNameText.h"

juce::File SaveFileSuggestion::suggest (ZKEditorEngine& engine, const juce::File& lastFolder)
{
    auto* nameControl = engine.getControls (ControlType::PresetName)[0];

    if (nameControl == nullptr)
        return lastFolder;

    const auto fileName = PresetNameText::toFileName (PresetNameText::toText (nameControl->getValues()));

    if (fileName.isEmpty())
        return lastFolder;

    // The chooser itself starts there when it is given no folder.
    const auto folder = lastFolder == juce::File() ? juce::File::getCurrentWorkingDirectory() : lastFolder;
    const auto extension = engine.getFilePattern().fromLastOccurrenceOf ("*", false, false);
    return folder.getChildFile (fileName + extension);
}
