// An in-process automation server standing in for the page editor. Its one
// method, vtiInsertHTML(BSTR), appends the text as UTF-8 to a file. A test
// registers it under a class id of its own and names the file in the registry,
// beside the class (a real editor's server would not see the test's environment):
//   HKEY_CLASSES_ROOT\CLSID\{id}  OutputFile = the file
//                                  Method = the method's name (vtiInsertHTML when absent)
//                                  Refusal = when present, each call fails with this reason
// No type library: IDispatch is written by hand.
#include <objbase.h>
#include <oleauto.h>
#include <string>
#include <windows.h>

// COM interfaces have no virtual destructor by design: an object deletes itself
// in Release, never through an interface pointer.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

LONG g_liveObjects = 0;
LONG g_locks = 0;
constexpr DISPID kInsertId = 1;

// A REG_SZ value of HKEY_CLASSES_ROOT\CLSID\{id}; empty when missing.
std::wstring classValue(REFCLSID classId, const wchar_t* name) {
    wchar_t id[40];
    StringFromGUID2(classId, id, 40);
    const std::wstring key = std::wstring(L"CLSID\\") + id;
    wchar_t data[1024];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return {};
    return data;
}

class Editor final : public IDispatch {
public:
    Editor(std::wstring outputFile, std::wstring method, std::wstring refusal)
        : m_outputFile(std::move(outputFile)), m_method(std::move(method)),
          m_refusal(std::move(refusal)) {
        InterlockedIncrement(&g_liveObjects);
    }
    ~Editor() { InterlockedDecrement(&g_liveObjects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] =
                i == 0 && _wcsicmp(names[i], m_method.c_str()) == 0 ? kInsertId : DISPID_UNKNOWN;
            if (ids[i] == DISPID_UNKNOWN)
                result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        if (id != kInsertId)
            return DISP_E_MEMBERNOTFOUND;
        if (!(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        if (parameters->cArgs != 1 || parameters->cNamedArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        if (parameters->rgvarg[0].vt != VT_BSTR) {
            if (badArgument)
                *badArgument = 0;
            return DISP_E_TYPEMISMATCH;
        }
        if (result)
            VariantInit(result);
        if (!m_refusal.empty() && exception) {
            *exception = EXCEPINFO{};
            exception->bstrSource = SysAllocString(L"Test editor");
            exception->bstrDescription = SysAllocString(m_refusal.c_str());
            exception->scode = E_FAIL;
            return DISP_E_EXCEPTION;
        }
        return append(parameters->rgvarg[0].bstrVal);
    }

private:
    HRESULT append(BSTR text) {
        const int units = static_cast<int>(SysStringLen(text));
        std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(
                              CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr)),
                          '\0');
        WideCharToMultiByte(CP_UTF8, 0, text, units, bytes.data(), static_cast<int>(bytes.size()),
                            nullptr, nullptr);
        const HANDLE file = CreateFileW(m_outputFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return HRESULT_FROM_WIN32(GetLastError());
        DWORD written = 0;
        const BOOL ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        const DWORD error = GetLastError();
        CloseHandle(file);
        return ok && written == bytes.size() ? S_OK : HRESULT_FROM_WIN32(error);
    }

    LONG m_references = 1;
    std::wstring m_outputFile;
    std::wstring m_method;
    std::wstring m_refusal;
};

class Factory final : public IClassFactory {
public:
    explicit Factory(CLSID classId) : m_classId(classId) { InterlockedIncrement(&g_liveObjects); }
    ~Factory() { InterlockedDecrement(&g_liveObjects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        std::wstring method = classValue(m_classId, L"Method");
        auto* editor = new Editor(classValue(m_classId, L"OutputFile"),
                                  method.empty() ? L"vtiInsertHTML" : method,
                                  classValue(m_classId, L"Refusal"));
        const HRESULT result = editor->QueryInterface(iid, object);
        editor->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }

private:
    LONG m_references = 1;
    CLSID m_classId;
};

} // namespace

// Serves every class id registered with an output file, so that tests running
// at once each have their own.
extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
    *object = nullptr;
    if (classValue(classId, L"OutputFile").empty())
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new Factory(classId);
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return g_liveObjects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}
