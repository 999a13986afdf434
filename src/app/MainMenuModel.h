#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The menu bar that every document window shows: "File", "Edit", "View", "Options", "Window" and
    "Help". Every entry is a command item, carried out through the command manager and enabled only
    when the manager finds a target for it. */
class MainMenuModel : public juce::MenuBarModel
{
public:
    /** The command manager is not owned and must outlive the model. */
    explicit MainMenuModel (juce::ApplicationCommandManager* commandManager);

    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex (int topLevelMenuIndex, const juce::String& menuName) override;
    void menuItemSelected (int, int) override {}

private:
    /** Stands for a separator in a list of menu entries; no command has this ID. */
    static constexpr juce::CommandID separator = 0;

    /** A menu of those commands' items, in that order. */
    juce::PopupMenu makeMenu (std::initializer_list<juce::CommandID> commands) const;

    juce::ApplicationCommandManager* commandManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainMenuModel)
};
