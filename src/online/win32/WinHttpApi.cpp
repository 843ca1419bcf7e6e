#include "online/win32/WinHttpApi.h"

#include "common/win32/LateBound.h"

namespace vesk {

namespace {

template <class Function>
bool Bind(Function*& function, const char* name) {
    function = LateBound<Function>(kWinHttp, name);
    return function != nullptr;
}

bool BindAll(WinHttpApi& api) {
    return Bind(api.open, "WinHttpOpen") && Bind(api.setTimeouts, "WinHttpSetTimeouts") &&
           Bind(api.connect, "WinHttpConnect") && Bind(api.openRequest, "WinHttpOpenRequest") &&
           Bind(api.setOption, "WinHttpSetOption") && Bind(api.sendRequest, "WinHttpSendRequest") &&
           Bind(api.receiveResponse, "WinHttpReceiveResponse") &&
           Bind(api.queryHeaders, "WinHttpQueryHeaders") &&
           Bind(api.queryDataAvailable, "WinHttpQueryDataAvailable") &&
           Bind(api.readData, "WinHttpReadData") && Bind(api.closeHandle, "WinHttpCloseHandle");
}

}  // namespace

const WinHttpApi* WinHttp() {
    // A static's initialisation runs once even when two threads get here together.
    static const WinHttpApi* const api = [] {
        static WinHttpApi functions{};
        return BindAll(functions) ? &functions : nullptr;
    }();
    return api;
}

}  // namespace vesk
