// Automation objects: one method call per object, created and released around it in
// an apartment of its own.
#include <windows.h>
#include <oleauto.h>

#include <cstring>

#include "platform/win32/win32_interop.h"
#include "platform/win32/win32_text.h"

namespace ml {

namespace {

static_assert(sizeof(VARIANT) == (sizeof(void*) == 8 ? 24 : 16), "VARIANT layout of this build");

constexpr LCID kSystemLocale = LOCALE_SYSTEM_DEFAULT;   // 0x0800

IDispatch* CreateObject(const std::string& progId) {
    CLSID classId;
    if (FAILED(CLSIDFromProgID(ToWide(CP_ACP, progId).c_str(), &classId))) return nullptr;
    void* object = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object))) return nullptr;
    return static_cast<IDispatch*>(object);
}

bool FindMethod(IDispatch* object, const std::string& method, DISPID& id) {
    std::wstring name = ToWide(CP_ACP, method);
    LPOLESTR names[] = {name.data()};
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, kSystemLocale, &id));
}

VARIANT ToVariant(const ComArgument& argument) {
    VARIANT v;
    VariantInit(&v);
    switch (argument.kind) {
    case ComArgument::Kind::Int:
        v.vt = VT_INT;
        v.intVal = argument.integer;
        break;
    case ComArgument::Kind::Double:
        v.vt = VT_R8;
        v.dblVal = argument.real;
        break;
    case ComArgument::Kind::Text:
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(ToWide(CP_ACP, argument.text).c_str());
        break;
    }
    return v;
}

// The value field read every way a script may ask. Only a string result is read as a
// string: any other value there is not a pointer to one.
void ReadResult(const VARIANT& value, ComResult& result) {
    std::memcpy(&result.integer, &value.intVal, sizeof result.integer);
    std::memcpy(&result.real, &value.dblVal, sizeof result.real);
    if (value.vt == VT_BSTR && value.bstrVal) result.text = FromWide(CP_ACP, value.bstrVal);
}

bool Invoke(IDispatch* object, DISPID id, const std::vector<ComArgument>& arguments, ComResult& result) {
    std::vector<VARIANT> records;
    records.reserve(arguments.size());
    for (const ComArgument& argument : arguments) records.push_back(ToVariant(argument));
    DISPPARAMS parameters{records.empty() ? nullptr : records.data(), nullptr,
                          static_cast<UINT>(records.size()), 0};
    VARIANT value;
    std::memset(&value, 0, sizeof value);   // every byte of the value field is read below
    VariantInit(&value);
    const bool called = SUCCEEDED(
        object->Invoke(id, IID_NULL, kSystemLocale, DISPATCH_METHOD, &parameters, &value, nullptr, nullptr));
    if (called) ReadResult(value, result);
    for (VARIANT& record : records) VariantClear(&record);
    VariantClear(&value);
    return called;
}

ComResult CallObject(const std::string& progId, const std::string& method,
                     const std::vector<ComArgument>& arguments) {
    ComResult result;
    IDispatch* object = CreateObject(progId);
    if (!object) {
        result.status = ComResult::Status::CannotCreate;
        return result;
    }
    DISPID id = 0;
    if (!FindMethod(object, method, id) || !Invoke(object, id, arguments, result))
        result.status = ComResult::Status::NoMethod;
    object->Release();
    return result;
}

}  // namespace

ComResult Win32Com::call(const std::string& progId, const std::string& method,
                         const std::vector<ComArgument>& arguments) {
    // Only a successful initialisation (including "already initialised") is undone;
    // a thread already in another apartment keeps it.
    const bool initialised = SUCCEEDED(CoInitialize(nullptr));
    ComResult result = CallObject(progId, method, arguments);
    if (initialised) CoUninitialize();
    return result;
}

}  // namespace ml
