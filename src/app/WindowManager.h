#pragma once

#include "app/EditorWindow.h"
#include "app/MainMenuModel.h"
#include "app/WindowCloseListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Owns the document windows: titles and places new ones, registers them with the command manager
    and the menu bar, deletes them when they close, and ends the program with the last one. */
class WindowManager : public WindowCloseListener
{
public:
    /** None of the three is owned; lastDirectory is the application's shared starting folder. */
    WindowManager (juce::File* lastDirectory, juce::ApplicationCommandManager* commandManager,
                   MainMenuModel* mainMenuModel);

    void windowClosed (juce::Component* window) override;

    ~WindowManager() override;

    //==============================================================================
    /** Makes a new untitled document window with that content, which passes to the window. */
    EditorWindow* createWindow (EditorComponent* content, ZKEditorEngine::Ptr engine);

    /** The first document window that is the active top-level window, or nullptr. */
    EditorWindow* getActiveWindow() const;

    /** The active document window or, while another window of the program has the focus (the
        Slots window), the document window nearest the front; nullptr when none is open. */
    EditorWindow* getFrontWindow() const;

    const juce::OwnedArray<EditorWindow>& getWindows() const noexcept { return windows; }

private:
    juce::OwnedArray<EditorWindow> windows;
    juce::File* lastDirectory;
    juce::ApplicationCommandManager* commandManager;
    int untitledCount = 0;
    MainMenuModel* mainMenuModel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowManager)
};
