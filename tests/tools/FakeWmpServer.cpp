// fake_wmp_server.dll: an in-process automation server that answers as the Windows Media
// Player automation server does for the reads the program makes: the object of ProgID
// "WMPuICE.WMPApp.1" has the property "Core", whose property "currentMedia" is an object
// with the property "Name" and whose property "controls" is an object with the property
// "currentPosition" (seconds, a double). Property names are matched without regard to case,
// as IDispatch names are. What the player plays is kept in a named shared section, so that a
// test that loads the server sets it for Vesk.exe, which loads it too.
//
// DllRegisterServer registers the server for the current user; Wine (8.0) does not look at
// per-user classes, so it registers machine-wide as well when the ProgID is not found
// otherwise. DllUnregisterServer removes both. For tests, besides the COM exports:
//   void WINAPI FakeWmpSetMedia(const wchar_t* name)  the current media's name; nullptr: no
//                                                     current media ("currentMedia" is Nothing)
//   void WINAPI FakeWmpSetPosition(double seconds, BOOL playing)
//                                                     the position in the current media; while
//                                                     playing it runs on with the clock
//   LONG WINAPI FakeWmpLiveObjects()                  automation objects not yet released
//                                                     (of the calling process)

#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <atomic>
#include <cstddef>
#include <string>

namespace {

// {6B2D7C1E-3F0A-4D8E-9C51-7A2E4B9D0F13}
constexpr CLSID kClassId = {
    0x6b2d7c1e, 0x3f0a, 0x4d8e, {0x9c, 0x51, 0x7a, 0x2e, 0x4b, 0x9d, 0x0f, 0x13}};
constexpr wchar_t kClassIdText[] = L"{6B2D7C1E-3F0A-4D8E-9C51-7A2E4B9D0F13}";
constexpr wchar_t kProgId[] = L"WMPuICE.WMPApp.1";

constexpr wchar_t kStateName[] = L"VeskFakeWmpPlayerState";
constexpr std::size_t kMediaNameChars = 256;
constexpr double kMillisecondsPerSecond = 1000;

HMODULE g_module = nullptr;
std::atomic<LONG> g_liveObjects{0};
std::atomic<LONG> g_locks{0};

// What the player plays, in the section that every process of the desktop shares.
struct PlayerState {
    LONG hasMedia;
    wchar_t mediaName[kMediaNameChars];
    double positionSeconds;  // at positionTick
    DWORD positionTick;
    LONG playing;
};

PlayerState& State() {
    static PlayerState* state = [] {
        const HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(PlayerState), kStateName);
        bool made = GetLastError() != ERROR_ALREADY_EXISTS;
        auto* shared = static_cast<PlayerState*>(
            MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(PlayerState)));
        if (shared == nullptr) {
            static PlayerState own{};
            shared = &own;
            made = true;
        }
        if (made) {
            *shared = PlayerState{};
            shared->hasMedia = TRUE;
        }
        return shared;  // the section stays mapped for the process's life
    }();
    return *state;
}

double PositionNow() {
    const PlayerState& state = State();
    const double run =
        state.playing ? (GetTickCount() - state.positionTick) / kMillisecondsPerSecond : 0;
    return state.positionSeconds + run;
}

enum class Kind { App, Core, Media, Controls };

// The one property name of each object.
const wchar_t* PropertyOf(Kind kind, DISPID id) {
    switch (kind) {
        case Kind::App:
            return id == 1 ? L"Core" : nullptr;
        case Kind::Core:
            return id == 1 ? L"currentMedia" : id == 2 ? L"controls" : nullptr;
        case Kind::Media:
            return id == 1 ? L"Name" : nullptr;
        case Kind::Controls:
            return id == 1 ? L"currentPosition" : nullptr;
    }
    return nullptr;
}

// One automation object of the chains App -> Core -> currentMedia -> Name and
// App -> Core -> controls -> currentPosition.
class AutomationObject final : public IDispatch {
public:
    explicit AutomationObject(Kind kind) : kind_(kind) { ++g_liveObjects; }
    ~AutomationObject() { --g_liveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (count != 1) {
            return DISP_E_UNKNOWNNAME;
        }
        for (DISPID id = 1; PropertyOf(kind_, id) != nullptr; ++id) {
            if (lstrcmpiW(names[0], PropertyOf(kind_, id)) == 0) {
                ids[0] = id;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (PropertyOf(kind_, id) == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if ((flags & DISPATCH_PROPERTYGET) == 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (parameters != nullptr && parameters->cArgs != 0) {
            return DISP_E_BADPARAMCOUNT;
        }
        if (result == nullptr) {
            return S_OK;
        }
        VariantInit(result);
        const PlayerState& state = State();
        switch (kind_) {
            case Kind::App:
                result->vt = VT_DISPATCH;
                result->pdispVal = new AutomationObject(Kind::Core);
                break;
            case Kind::Core:
                result->vt = VT_DISPATCH;
                if (id == 2) {
                    result->pdispVal = new AutomationObject(Kind::Controls);
                } else {
                    result->pdispVal = state.hasMedia ? new AutomationObject(Kind::Media) : nullptr;
                }
                break;
            case Kind::Media:
                result->vt = VT_BSTR;
                result->bstrVal = SysAllocString(state.mediaName);
                break;
            case Kind::Controls:
                result->vt = VT_R8;
                result->dblVal = PositionNow();
                break;
        }
        return S_OK;
    }

private:
    Kind kind_;
    std::atomic<ULONG> references_{1};
};

class ClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static: it lives as long as the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        AutomationObject* object = new AutomationObject(Kind::App);
        const HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? ++g_locks : --g_locks;
        return S_OK;
    }
};

ClassFactory g_factory;

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG result =
        RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

bool Register(HKEY root) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(g_module, path, MAX_PATH);
    const std::wstring classes = L"Software\\Classes\\";
    const std::wstring server = classes + L"CLSID\\" + kClassIdText + L"\\InprocServer32";
    return SetValue(root, classes + kProgId + L"\\CLSID", nullptr, kClassIdText) &&
           SetValue(root, server, nullptr, path) &&
           SetValue(root, server, L"ThreadingModel", L"Apartment");
}

void Unregister(HKEY root) {
    const std::wstring classes = L"Software\\Classes\\";
    RegDeleteTreeW(root, (classes + kProgId).c_str());
    RegDeleteTreeW(root, (classes + L"CLSID\\" + kClassIdText).c_str());
}

bool ProgIdFound() {
    CLSID found{};
    return SUCCEEDED(CLSIDFromProgID(kProgId, &found)) && IsEqualCLSID(found, kClassId);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    if (!IsEqualCLSID(classId, kClassId)) {
        *out = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() {
    return g_liveObjects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

HRESULT WINAPI DllRegisterServer() {
    if (!Register(HKEY_CURRENT_USER)) {
        return SELFREG_E_CLASS;
    }
    if (!ProgIdFound() && !Register(HKEY_LOCAL_MACHINE)) {
        return SELFREG_E_CLASS;
    }
    return ProgIdFound() ? S_OK : SELFREG_E_CLASS;
}

HRESULT WINAPI DllUnregisterServer() {
    Unregister(HKEY_CURRENT_USER);
    Unregister(HKEY_LOCAL_MACHINE);
    return S_OK;
}

void WINAPI FakeWmpSetMedia(const wchar_t* name) {
    PlayerState& state = State();
    state.hasMedia = name != nullptr;
    lstrcpynW(state.mediaName, name != nullptr ? name : L"", kMediaNameChars);
}

void WINAPI FakeWmpSetPosition(double seconds, BOOL playing) {
    PlayerState& state = State();
    state.positionSeconds = seconds;
    state.positionTick = GetTickCount();
    state.playing = playing;
}

LONG WINAPI FakeWmpLiveObjects() {
    return g_liveObjects;
}

}  // extern "C"
