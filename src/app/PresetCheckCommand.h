#pragma once

#include "app/CheckPresetWindow.h"

class EditorWindow;

/** Check Preset for one document window: the "Check Preset" command opens (or brings to the front
    and refreshes) the window's Check Preset window, whose "Go To" selects and flashes a finding's
    control. With "Check Before Send" on, every Send of the window (the Send dialog, whether opened
    by the command, the button or Send Whole Preset; not Live Edit) checks the preset first and,
    when it finds problems, asks whether to send anyway. Owned by the window. */
class PresetCheckCommand
{
public:
    explicit PresetCheckCommand (EditorWindow& window);
    ~PresetCheckCommand();

    /** Carries out "Check Preset"; other commands are not this one's. */
    void perform (int commandID);

    void showCheckWindow();
    CheckPresetWindow* getCheckWindow() const { return checkWindow.get(); }

    /** Off unless the option turns it on. */
    void setCheckBeforeSend (bool shouldCheck) noexcept { checkBeforeSend = shouldCheck; }
    bool isCheckingBeforeSend() const noexcept { return checkBeforeSend; }

    /** Whether a Send may go ahead: true with the check off or nothing found; otherwise the window's
        question askToSendAnyway decides. False when the window went during the question: then the
        caller must touch neither the window nor this. */
    bool confirmSend();

    /** "The preset has 2 problems: ..." then "Send anyway?", the findings one a line. */
    static juce::String describeProblems (const std::vector<PresetCheck::Finding>& findings);

    /** The default of the window's question: "Send Anyway" (true) or "Cancel". */
    static bool runSendAnywayQuestion (const juce::String& message);

private:
    EditorWindow& window;
    bool checkBeforeSend = false;
    juce::WeakReference<CheckPresetWindow> checkWindow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetCheckCommand)
};
