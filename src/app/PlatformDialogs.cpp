#include "app/PlatformDialogs.h"

#include "engine/ZKSysEx.h"

//==============================================================================
PlatformDialogs::SaveChangesAnswer PlatformDialogs::runSaveChangesQuestion (const juce::String& name)
{
    juce::AlertWindow box ("Unsaved Changes", "Save changes to " + name + " before closing?",
                           juce::MessageBoxIconType::QuestionIcon);
    box.addButton ("Save", 1, juce::KeyPress (juce::KeyPress::returnKey));
    box.addButton ("Discard", 2);
    box.addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

    switch (box.runModalLoop())
    {
        case 1:
            return SaveChangesAnswer::save;
        case 2:
            return SaveChangesAnswer::discard;
        default:
            return SaveChangesAnswer::cancel;
    }
}

juce::File PlatformDialogs::runFileChooser (const juce::String& title, const juce::File& startFolder,
                                            const juce::String& filePattern, bool forSaving)
{
    juce::FileChooser chooser (title, startFolder, filePattern, true);

    if (forSaving ? chooser.browseForFileToSave (true) : chooser.browseForFileToOpen())
        return chooser.getResult();

    return {};
}

juce::File PlatformDialogs::runFolderChooser (const juce::String& title, const juce::File& startFolder)
{
    juce::FileChooser chooser (title, startFolder, {}, true);
    return chooser.browseForDirectory() ? chooser.getResult() : juce::File();
}

void PlatformDialogs::showSummary (const juce::String& title, const juce::String& message)
{
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, title, message, "OK");
}

int PlatformDialogs::runSlotChooser (const juce::String& title, const juce::String& message, const juce::String& action,
                                     int preselectedSlot)
{
    juce::AlertWindow box (title, message, juce::MessageBoxIconType::NoIcon);
    juce::StringArray slots;

    for (int slot = 1; slot <= ZKSysEx::numberOfSlots; ++slot)
        slots.add (juce::String (slot));

    box.addComboBox ("Preset Slot", slots, "Preset Slot");
    box.getComboBoxComponent ("Preset Slot")->setSelectedItemIndex (preselectedSlot);
    box.addButton (action, 1, juce::KeyPress (juce::KeyPress::returnKey));
    box.addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

    if (box.runModalLoop() != 1)
        return -1;

    return box.getComboBoxComponent ("Preset Slot")->getSelectedItemIndex();
}

std::optional<juce::String> PlatformDialogs::runNameQuestion (const juce::String& title, const juce::String& name)
{
    juce::AlertWindow box (title, "Preset name (at most 16 characters):", juce::MessageBoxIconType::NoIcon);
    box.addTextEditor ("Name", name, "Name");
    auto* editor = box.getTextEditor ("Name");
    editor->setInputRestrictions (16);

    // Typing goes into the name at once, replacing it, once the box shows.
    juce::MessageManager::callAsync (
        [editor = juce::Component::SafePointer<juce::TextEditor> (editor)]
        {
            if (editor != nullptr)
            {
                editor->grabKeyboardFocus();
                editor->selectAll();
            }
        });
    box.addButton ("Rename", 1, juce::KeyPress (juce::KeyPress::returnKey));
    box.addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));

    if (box.runModalLoop() != 1)
        return std::nullopt;

    return box.getTextEditorContents ("Name");
}

int PlatformDialogs::runChoice (const juce::String& title, const juce::String& message,
                                const juce::StringArray& buttons)
{
    juce::AlertWindow box (title, message, juce::MessageBoxIconType::QuestionIcon);

    for (int i = 0; i < buttons.size(); ++i)
        box.addButton (buttons[i], i + 1,
                       i == 0
                           ? juce::KeyPress (juce::KeyPress::returnKey)
                           : (i == buttons.size() - 1 ? juce::KeyPress (juce::KeyPress::escapeKey) : juce::KeyPress()));

    return box.runModalLoop() - 1;
}
