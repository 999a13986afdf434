#include "app/WindowManager.h"

namespace
{
constexpr int cascadeStep = 15; // each new window sits this far right and down of the previous one
constexpr int firstRow = 4;     // the first window's top is this many steps down
} // namespace

//==============================================================================
WindowManager::WindowManager (juce::File* lastDirectoryToShare, juce::ApplicationCommandManager* commandManagerToUse,
                              MainMenuModel* mainMenuModelToUse)
    : lastDirectory (lastDirectoryToShare)
    , commandManager (commandManagerToUse)
    , mainMenuModel (mainMenuModelToUse)
{
}

WindowManager::~WindowManager()
{
    for (int i = windows.size(); --i >= 0;)
        windows.remove (i, true);
}

//==============================================================================
void WindowManager::windowClosed (juce::Component* window)
{
    windows.removeObject (dynamic_cast<EditorWindow*> (window), true);

    if (windows.isEmpty())
        if (auto* application = juce::JUCEApplicationBase::getInstance())
            application->systemRequestedQuit();
}

EditorWindow* WindowManager::createWindow (EditorComponent* content, ZKEditorEngine::Ptr engine)
{
    ++untitledCount;
    const auto title = EditorWindow::getApplicationName() + " - Untitled " + juce::String (untitledCount);

    auto* window = new EditorWindow (title, content, engine, lastDirectory, this); // owned by windows below
    engine->addListener (window);

    const auto n = windows.size();
    window->setTopLeftPosition (cascadeStep * (n + 1), cascadeStep * (n + firstRow));
    window->setVisible (true);

    if (commandManager != nullptr)
    {
        commandManager->registerAllCommandsForTarget (window);
        window->addKeyListener (commandManager->getKeyMappings());
    }

    if (mainMenuModel != nullptr)
        window->showMenuBar (mainMenuModel);

    windows.add (window);
    return window;
}

EditorWindow* WindowManager::getActiveWindow() const
{
    for (auto* window : windows)
        if (window->isActiveWindow())
            return window;

    return nullptr;
}

EditorWindow* WindowManager::getFrontWindow() const
{
    if (auto* active = getActiveWindow())
        return active;

    // The desktop lists its windows from the back to the front.
    auto& desktop = juce::Desktop::getInstance();

    for (int i = desktop.getNumComponents(); --i >= 0;)
        for (auto* window : windows)
            if (desktop.getComponent (i) == window)
                return window;

    return windows.getLast();
}
