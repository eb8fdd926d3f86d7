#pragma once

#ifdef _WIN32

#include <string>

namespace vendaxo {

// The system's text for a Win32 error code or an HRESULT, in UTF-8, without the
// trailing line break; the number in hex when the system has no text for it.
std::string systemMessage(unsigned long code);

} // namespace vendaxo

#endif
