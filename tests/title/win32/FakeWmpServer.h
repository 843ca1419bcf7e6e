#pragma once

// tests/tools' fake_wmp_server.dll loaded into the test and registered for the test's run:
// what it sets, the media's name and position, every process that loads the server sees
// (Vesk.exe too). See FakeWmpServer.cpp.

#include <windows.h>

#include <string>

namespace vesk::test {

class FakeWmpServer {
public:
    explicit FakeWmpServer(const std::string& path) {
        char fullPath[MAX_PATH] = {};
        GetFullPathNameA(path.c_str(), MAX_PATH, fullPath, nullptr);
        module_ = LoadLibraryA(fullPath);
        if (module_ == nullptr) {
            return;
        }
        setMedia_ = Export<SetMediaFunction>("FakeWmpSetMedia");
        setPosition_ = Export<SetPositionFunction>("FakeWmpSetPosition");
        liveObjects_ = Export<LiveObjectsFunction>("FakeWmpLiveObjects");
        registered_ = Call("DllRegisterServer") == S_OK;
    }
    ~FakeWmpServer() {
        Unregister();
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    FakeWmpServer(const FakeWmpServer&) = delete;
    FakeWmpServer& operator=(const FakeWmpServer&) = delete;

    bool Ready() const {
        return registered_ && setMedia_ != nullptr && setPosition_ != nullptr &&
               liveObjects_ != nullptr;
    }
    std::string Path() const {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module_, path, MAX_PATH);
        return path;
    }
    void SetMedia(const wchar_t* name) const { setMedia_(name); }
    // The position in the current media; while playing it runs on with the clock.
    void SetPosition(double seconds, bool playing) const {
        setPosition_(seconds, playing ? TRUE : FALSE);
    }
    long LiveObjects() const { return liveObjects_(); }
    void Unregister() {
        if (registered_) {
            Call("DllUnregisterServer");
            registered_ = false;
        }
    }

private:
    using SetMediaFunction = void(WINAPI*)(const wchar_t*);
    using SetPositionFunction = void(WINAPI*)(double, BOOL);
    using LiveObjectsFunction = LONG(WINAPI*)();
    template <class Function>
    Function Export(const char* name) const {
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    }
    HRESULT Call(const char* name) const {
        const auto function = Export<HRESULT(WINAPI*)()>(name);
        return function != nullptr ? function() : E_FAIL;
    }

    HMODULE module_ = nullptr;
    SetMediaFunction setMedia_ = nullptr;
    SetPositionFunction setPosition_ = nullptr;
    LiveObjectsFunction liveObjects_ = nullptr;
    bool registered_ = false;
};

}  // namespace vesk::test
