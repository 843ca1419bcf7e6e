#include "title/win32/AutomationText.h"

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <utility>

#include "common/win32/ComApartment.h"
#include "common/win32/LateBound.h"
#include "common/win32/WideText.h"
#include "common/win32/WinHandles.h"

namespace vesk {

namespace {

// OLE automation's functions, bound when the first caption is read from the player.
struct Automation {
    decltype(CLSIDFromProgID)* classIdFromProgId =
        LateBound<decltype(CLSIDFromProgID)>(kOle32, "CLSIDFromProgID");
    decltype(CoCreateInstance)* createInstance =
        LateBound<decltype(CoCreateInstance)>(kOle32, "CoCreateInstance");
    decltype(VariantClear)* variantClear =
        LateBound<decltype(VariantClear)>(kOleAut32, "VariantClear");
    decltype(VariantChangeType)* variantChangeType =
        LateBound<decltype(VariantChangeType)>(kOleAut32, "VariantChangeType");
    decltype(SysStringLen)* sysStringLen =
        LateBound<decltype(SysStringLen)>(kOleAut32, "SysStringLen");

    bool Bound() const {
        return classIdFromProgId != nullptr && createInstance != nullptr &&
               variantClear != nullptr && variantChangeType != nullptr && sysStringLen != nullptr;
    }
};

const Automation& TheAutomation() {
    static const Automation automation;
    return automation;
}

// A VARIANT that is cleared on every path (it may hold an object or a string); only made
// once the automation functions are bound.
class Variant {
public:
    Variant() { value_.vt = VT_EMPTY; }  // what VariantInit does
    ~Variant() { TheAutomation().variantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Get() { return &value_; }

private:
    VARIANT value_;
};

// Reads the property (or argument-less method) name of object into result.
bool ReadProperty(IDispatch* object, std::string_view name, Variant& result) {
    std::wstring wideName = Widen(name);
    LPOLESTR names[] = {wideName.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return false;
    }
    DISPPARAMS noArguments{};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &noArguments,
                                    result.Get(), nullptr, nullptr));
}

// The automation object of progId; null when the server is missing or cannot be made.
ComPtr<IDispatch> CreateObject(std::string_view progId) {
    const Automation& automation = TheAutomation();
    ComPtr<IDispatch> object;
    if (!automation.Bound() || !EnterComApartment()) {
        return object;
    }
    const std::wstring wideProgId = Widen(progId);
    CLSID classId{};
    if (FAILED(automation.classIdFromProgId(wideProgId.c_str(), &classId)) ||
        FAILED(automation.createInstance(classId, nullptr,
                                         CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                         reinterpret_cast<void**>(object.Put())))) {
        object.Reset();
    }
    return object;
}

// Reads the chain of properties of path from start into result: each step of the object the
// one before gave. The objects met on the way are released before it returns.
bool ReadChain(IDispatch* start, std::span<const std::string_view> path, Variant& result) {
    if (path.empty()) {
        return false;
    }
    ComPtr<IDispatch> held;
    IDispatch* object = start;
    for (std::size_t step = 0; step + 1 < path.size(); ++step) {
        Variant value;
        if (!ReadProperty(object, path[step], value)) {
            return false;
        }
        VARIANT* v = value.Get();
        if (v->vt != VT_DISPATCH || v->pdispVal == nullptr) {
            return false;
        }
        ComPtr<IDispatch> next;
        *next.Put() = std::exchange(v->pdispVal, nullptr);
        v->vt = VT_EMPTY;
        held = std::move(next);
        object = held.Get();
    }
    return ReadProperty(object, path.back(), result);
}

std::optional<std::string> TextOf(Variant& value) {
    const Automation& automation = TheAutomation();
    Variant text;
    if (FAILED(automation.variantChangeType(text.Get(), value.Get(), 0, VT_BSTR))) {
        return std::nullopt;
    }
    const BSTR bstr = text.Get()->bstrVal;
    return bstr != nullptr ? Narrow(std::wstring_view(bstr, automation.sysStringLen(bstr)))
                           : std::string();
}

std::optional<double> NumberOf(Variant& value) {
    Variant number;
    if (FAILED(TheAutomation().variantChangeType(number.Get(), value.Get(), 0, VT_R8))) {
        return std::nullopt;
    }
    return number.Get()->dblVal;
}

}  // namespace

std::optional<std::string> ReadAutomationText(std::string_view progId,
                                              std::span<const std::string_view> path) {
    if (path.empty()) {
        return std::nullopt;
    }
    const ComPtr<IDispatch> object = CreateObject(progId);
    if (!object) {
        return std::nullopt;
    }
    Variant value;  // made only once the automation functions are bound
    if (!ReadChain(object.Get(), path, value)) {
        return std::nullopt;
    }
    return TextOf(value);
}

AutomationTextAndNumber ReadAutomationTextAndNumber(std::string_view progId,
                                                    std::span<const std::string_view> textPath,
                                                    std::span<const std::string_view> numberPath) {
    const ComPtr<IDispatch> object = CreateObject(progId);
    AutomationTextAndNumber read;
    if (!object) {
        return read;
    }
    if (Variant value; ReadChain(object.Get(), textPath, value)) {
        read.text = TextOf(value);
    }
    if (Variant value; ReadChain(object.Get(), numberPath, value)) {
        read.number = NumberOf(value);
    }
    return read;
}

}  // namespace vesk
