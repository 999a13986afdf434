#include "app/QuenloZKMEditorApplication.h"

START_JUCE_APPLICATION (QuenloZKMEditorApplication)
