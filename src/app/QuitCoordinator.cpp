#include "app/QuitCoordinator.h"

#include "app/EditorWindow.h"

//==============================================================================
QuitCoordinator::QuitCoordinator (MidiManager& midiManagerToUse, std::function<WindowManager*()> windowManagerGetter,
                                  std::function<void()> quitAgainStep)
    : midiManager (midiManagerToUse)
    , getWindowManager (std::move (windowManagerGetter))
    , quitAgain (std::move (quitAgainStep))
{
}

bool QuitCoordinator::mayQuitNow()
{
    if (waitingForSendsToQuit || isQuestionOpen())
        return false;

    // A restore is never cut off in the middle of a slot: its window asks whether to stop it after
    // the slot under way or to wait for it, and the program quits once the Sends are over.
    if (auto* windowManager = getWindowManager())
    {
        juce::Array<juce::Component::SafePointer<EditorWindow>> restoring;

        for (auto* window : windowManager->getWindows())
            if (window->getRestoreCommand().isRunning())
                restoring.add (window);

        if (! restoring.isEmpty())
        {
            for (auto& window : restoring)
                if (window != nullptr)
                    window->getRestoreCommand().askToStopOrWait();

            waitingForSendsToQuit = true;
            quitOnceTheSendsAreOver();
            return false;
        }
    }

    if (isSendUnderWay())
    {
        askWhetherToWaitForTheSend();
        return false;
    }

    return true;
}

bool QuitCoordinator::isSendUnderWay() const
{
    // A closed window's Send is found in the queue; the windows' own engines are asked as well.
    if (midiManager.getTransferQueue().hasJob ([] (const TransferQueue::Job& job)
                                               { return job.writesToTheController(); }))
        return true;

    return anyWindow ([] (const EditorWindow& window) { return window.getEngine()->isSendInProgress(); });
}

bool QuitCoordinator::isRestoreUnderWay() const
{
    return anyWindow ([] (const EditorWindow& window) { return window.getRestoreCommand().isRunning(); });
}

bool QuitCoordinator::isQuestionOpen() const
{
    return anyWindow ([] (const EditorWindow& window) { return window.isAskingQuestion(); });
}

bool QuitCoordinator::anyWindow (const std::function<bool (const EditorWindow&)>& test) const
{
    if (auto* windowManager = getWindowManager())
        for (auto* window : windowManager->getWindows())
            if (test (*window))
                return true;

    return false;
}

void QuitCoordinator::stopTransfers()
{
    midiManager.getTransferQueue().cancelAll();

    if (auto* windowManager = getWindowManager())
        for (auto* window : windowManager->getWindows())
            window->getEngine()->cancelTransfer();
}

void QuitCoordinator::askWhetherToWaitForTheSend()
{
    if (quitQuestionShown)
        return;

    quitQuestionShown = true;

    // This outlives the question only while the program runs; the answer does nothing once it
    // is gone.
    const juce::WeakReference<QuitCoordinator> self (this);
    juce::AlertWindow::showOkCancelBox (
        juce::MessageBoxIconType::QuestionIcon, getQuitDuringSendTitle(),
        "A preset is still being sent to the controller. Wait for it to finish, or stop it now and leave "
        "that slot holding part of the new preset and part of the old one?",
        getWaitAnswer(), getStopAnswer(), nullptr,
        juce::ModalCallbackFunction::create (
            [self] (int result)
            {
                if (self == nullptr)
                    return;

                self->quitQuestionShown = false;

                if (result == 0)
                    self->stopTransfers();

                self->quitOnceTheSendsAreOver();
            }));
}

void QuitCoordinator::quitOnceTheSendsAreOver()
{
    constexpr int checkIntervalMs = 100;

    // A restore's read-backs are not Sends, but the restore waits for them before it is over.
    if (! isSendUnderWay() && ! isRestoreUnderWay())
    {
        waitingForSendsToQuit = false;

        if (quitAgain != nullptr)
            quitAgain();

        return;
    }

    const juce::WeakReference<QuitCoordinator> self (this);
    juce::Timer::callAfterDelay (checkIntervalMs,
                                 [self]
                                 {
                                     if (self != nullptr)
                                         self->quitOnceTheSendsAreOver();
                                 });
}
