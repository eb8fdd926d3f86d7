#include "base/system_message.h"

#ifdef _WIN32

#include "base/text_encoding.h"

#include <cstdio>
#include <windows.h>

namespace vendaxo {

namespace {

std::u16string formatted(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text(buffer, buffer + length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
        text.pop_back();
    return text;
}

} // namespace

std::string systemMessage(unsigned long code) {
    std::u16string text = formatted(code);
    // An HRESULT wrapping a Win32 error has the text of that error.
    if (text.empty() && HRESULT_FACILITY(code) == FACILITY_WIN32)
        text = formatted(HRESULT_CODE(code));
    if (!text.empty())
        return utf16ToUtf8(text);
    char number[24];
    std::snprintf(number, sizeof number, "error 0x%08lX", code);
    return number;
}

} // namespace vendaxo

#endif
