#pragma once

#include "shell/merchant_session.h"

namespace vendaxo {

class HelpService;
class PageEditorBridge;
class Prompts;
class SettingsStore;

// What every window of the desktop program works with; one per process.
struct AppServices {
    AppServices(SettingsStore& store, Prompts& prompts, HelpService& help, PageEditorBridge& editor,
                MerchantSession& session)
        : store(store), prompts(prompts), help(help), editor(editor), session(session),
          profile(session.profile()) {}

    SettingsStore& store;
    Prompts& prompts;
    HelpService& help;
    PageEditorBridge& editor;
    // The current merchant: the main window activates it, and every change of
    // the profile goes through it.
    MerchantSession& session;
    const MerchantProfile& profile;
};

} // namespace vendaxo
