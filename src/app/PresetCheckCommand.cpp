#include "app/PresetCheckCommand.h"

#include "app/CommandIDs.h"
#include "app/ControlFollower.h"
#include "app/EditorWindow.h"

namespace
{
// More would make the question taller than the screen; the Check Preset window lists them all.
constexpr int maximumListedProblems = 10;
} // namespace

//==============================================================================
PresetCheckCommand::PresetCheckCommand (EditorWindow& windowToUse)
    : window (windowToUse)
{
    // Every Send dialog of the window asks this before it writes.
    window.getControllerDialogs().confirmSend = [this] { return confirmSend(); };
}

PresetCheckCommand::~PresetCheckCommand() { delete checkWindow.get(); }

void PresetCheckCommand::perform (int commandID)
{
    if (commandID == CommandIDs::checkPreset)
        showCheckWindow();
}

void PresetCheckCommand::showCheckWindow()
{
    window.commitOpenEdits();

    if (checkWindow != nullptr)
    {
        checkWindow->refresh();
        checkWindow->toFront (true);
        return;
    }

    auto engine = window.getEngine();
    const juce::Component::SafePointer<EditorWindow> document (&window);

    checkWindow = new CheckPresetWindow ([engine] { return engine->getPresetImage(); }, // deletes itself
                                         [document] (const PresetCheck::Finding& finding)
                                         {
                                             if (document == nullptr)
                                                 return;

                                             if (auto* editor = document->getEditorComponent())
                                                 ControlFollower::showAndFlash (*editor, finding.controls);

                                             document->toFront (false);
                                         });
}

bool PresetCheckCommand::confirmSend()
{
    if (! checkBeforeSend)
        return true;

    window.commitOpenEdits();
    const auto findings = PresetCheck::check (window.getEngine()->getPresetImage());

    if (findings.empty())
        return true;

    const auto answer = window.askQuestion (window.askToSendAnyway, describeProblems (findings));
    return answer.has_value() && *answer; // nothing of the window is touched when it went
}

juce::String PresetCheckCommand::describeProblems (const std::vector<PresetCheck::Finding>& findings)
{
    const auto count = (int) findings.size();
    auto text = "The preset has " + juce::String (count) + (count == 1 ? " problem:" : " problems:");

    for (int i = 0; i < juce::jmin (count, maximumListedProblems); ++i)
        text << "\n" << findings[(size_t) i].text;

    if (count > maximumListedProblems)
        text << "\n... and " << (count - maximumListedProblems) << " more";

    return text + "\n\nSend anyway?";
}

bool PresetCheckCommand::runSendAnywayQuestion (const juce::String& message)
{
    juce::AlertWindow box ("Check Before Send", message, juce::MessageBoxIconType::WarningIcon);
    box.addButton ("Send Anyway", 1);
    box.addButton ("Cancel", 0, juce::KeyPress (juce::KeyPress::escapeKey));
    return box.runModalLoop() == 1;
}
