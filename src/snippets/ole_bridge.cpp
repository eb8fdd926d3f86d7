#include "snippets/ole_bridge.h"

#ifdef _WIN32

#include "base/error.h"
#include "base/system_message.h"
#include "base/text_encoding.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

namespace vendaxo {

namespace {

std::wstring wide(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string narrow(BSTR text) {
    return text ? utf16ToUtf8(std::u16string(text, text + SysStringLen(text))) : std::string();
}

[[noreturn]] void fail(const std::string& progId, const std::string& what,
                       const std::string& reason) {
    throw Error("The page editor " + progId + " " + what + ": " + reason);
}

std::string hresultMessage(HRESULT result) {
    return systemMessage(static_cast<unsigned long>(result));
}

// The editor's own reason for a DISP_E_EXCEPTION, else the system's text for its code.
std::string exceptionMessage(EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    std::string reason = narrow(exception.bstrDescription);
    if (reason.empty())
        reason = hresultMessage(exception.scode ? exception.scode : DISP_E_EXCEPTION);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return reason;
}

// COM on the calling thread while the editor is held. A thread that already
// has COM in another mode (a GUI thread set up for OLE) is used as it is.
class ComScope {
public:
    explicit ComScope(const std::string& progId) {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(result) && result != RPC_E_CHANGED_MODE)
            fail(progId, "could not be reached", hresultMessage(result));
        m_initialised = SUCCEEDED(result);
    }
    ~ComScope() {
        if (m_initialised)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_initialised = false;
};

class AutomationEditor final : public PageEditor {
public:
    AutomationEditor(std::string progId, std::unique_ptr<ComScope> com, IDispatch* editor,
                     DISPID insert)
        : m_progId(std::move(progId)), m_com(std::move(com)), m_editor(editor), m_insert(insert) {}
    // Releases the object before COM is left (m_com is destroyed after this body).
    ~AutomationEditor() override { m_editor->Release(); }
    AutomationEditor(const AutomationEditor&) = delete;
    AutomationEditor& operator=(const AutomationEditor&) = delete;

    void insertHtml(const std::string& html) override {
        const std::wstring text = wide(html);
        VARIANT argument;
        VariantInit(&argument);
        argument.vt = VT_BSTR;
        argument.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (!argument.bstrVal)
            fail(m_progId, "did not insert the snippet", hresultMessage(E_OUTOFMEMORY));
        DISPPARAMS parameters{&argument, nullptr, 1, 0};
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception{};
        UINT badArgument = 0;
        const HRESULT status =
            m_editor->Invoke(m_insert, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD,
                             &parameters, &result, &exception, &badArgument);
        VariantClear(&argument);
        VariantClear(&result);
        if (status == DISP_E_EXCEPTION)
            fail(m_progId, "did not insert the snippet", exceptionMessage(exception));
        if (FAILED(status))
            fail(m_progId, "did not insert the snippet", hresultMessage(status));
    }

private:
    std::string m_progId;
    std::unique_ptr<ComScope> m_com;
    IDispatch* m_editor;
    DISPID m_insert;
};

} // namespace

std::unique_ptr<PageEditor> OleAutomationBridge::obtain() {
    auto com = std::make_unique<ComScope>(m_progId);
    CLSID classId;
    if (const HRESULT result = CLSIDFromProgID(wide(m_progId).c_str(), &classId); FAILED(result))
        fail(m_progId, "is not installed", hresultMessage(result));
    IDispatch* editor = nullptr;
    if (const HRESULT result =
            CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                             IID_IDispatch, reinterpret_cast<void**>(&editor));
        FAILED(result))
        fail(m_progId, "is not running and could not be started", hresultMessage(result));
    std::wstring method = wide(kInsertHtmlMethod);
    LPOLESTR names[] = {method.data()};
    DISPID insert = DISPID_UNKNOWN;
    if (const HRESULT result =
            editor->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &insert);
        FAILED(result)) {
        editor->Release();
        fail(m_progId, "has no method " + std::string(kInsertHtmlMethod), hresultMessage(result));
    }
    return std::make_unique<AutomationEditor>(m_progId, std::move(com), editor, insert);
}

} // namespace vendaxo

#endif
