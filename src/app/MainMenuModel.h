#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The menu bar that every document window shows: "File", "Edit", "Options", "Window" and "Help". Every
    entry is a command item, carried out through the command manager and enabled only when the
    manager finds a target for it. */
class MainMenuModel : public juce::MenuBarModel
{
public:
    /** The command manager is not owned and must outlive the model. */
    explicit MainMenuModel (juce::ApplicationCommandManager* commandManager);

    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex (int topLevelMenuIndex, const juce::String& menuName) override;
    void menuItemSelected (int, int) override {}

private:
    juce::ApplicationCommandManager* commandManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainMenuModel)
};
