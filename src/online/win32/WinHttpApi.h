#pragma once

// The WinHTTP functions the lyrics search uses, bound at the first search: linked directly,
// winhttp.dll and what it brings would load at start-up in every run, also with the online
// search off.

#include <windows.h>
#include <winhttp.h>

namespace vesk {

struct WinHttpApi {
    decltype(WinHttpOpen)* open;
    decltype(WinHttpSetTimeouts)* setTimeouts;
    decltype(WinHttpConnect)* connect;
    decltype(WinHttpOpenRequest)* openRequest;
    decltype(WinHttpSetOption)* setOption;
    decltype(WinHttpSendRequest)* sendRequest;
    decltype(WinHttpReceiveResponse)* receiveResponse;
    decltype(WinHttpQueryHeaders)* queryHeaders;
    decltype(WinHttpQueryDataAvailable)* queryDataAvailable;
    decltype(WinHttpReadData)* readData;
    decltype(WinHttpCloseHandle)* closeHandle;
};

// The functions, loaded on the first call (from any thread); nullptr when winhttp.dll or
// one of them is not there.
const WinHttpApi* WinHttp();

}  // namespace vesk
