#pragma once

#include <string>

namespace vendaxo {

class SettingsStore;

// What the current merchant's stored settings mean once loaded with the
// dialogs' defaults: for people, or as JSON (stable for scripts).
std::string settingsReport(SettingsStore& store);
std::string settingsReportJson(SettingsStore& store);

} // namespace vendaxo
