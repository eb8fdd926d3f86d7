#pragma once

#include "shell/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// Everything below HKEY_LOCAL_MACHINE\Software\Kestrune\Vendaxo as a
// "Windows Registry Editor Version 5.00" file: UTF-16LE with BOM, CR LF lines.
std::string exportRegFile(SettingsStore& store);

// Reads a version 5.00 file (UTF-16LE/BE with BOM, or UTF-8) or a REGEDIT4 file
// (UTF-8, else Windows-1252). Throws Error naming the line of the first fault;
// keys outside the Vendaxo key are refused.
std::vector<SettingsStore::KeyValues> parseRegFile(std::string_view bytes);

// Parses the whole file first, so a faulty file writes nothing.
void importRegFile(SettingsStore& store, std::string_view bytes);

} // namespace vendaxo
