#pragma once

#include "shell/merchant_profile.h"

namespace vendaxo {

class HelpService;
class PageEditorBridge;
class Prompts;
class SettingsStore;

// What every window of the desktop program works with; one per process.
struct AppServices {
    SettingsStore& store;
    Prompts& prompts;
    HelpService& help;
    PageEditorBridge& editor;
    MerchantProfile profile; // filled by the main window's load
};

} // namespace vendaxo
