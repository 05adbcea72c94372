#include "win32/SystemValues.h"

#include <objbase.h>
#include <windows.h>

#include "win32/Utf.h"

namespace tavrill {

TemplateValues ReadSystemValues(TemplateNeeds needs) {
    TemplateValues values;
    if (needs.clock) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        SetTemplateClock(values, now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    }
    if (needs.user) {
        // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-getusernamew: UNLEN + 1 holds any
        // name.
        wchar_t name[257] = L"";
        DWORD size = static_cast<DWORD>(std::size(name));
        if (GetUserNameW(name, &size)) values.user = Narrow(name);
    }
    if (needs.guid) {
        GUID guid{};
        wchar_t text[40] = L"";  // {8-4-4-4-12}, upper case, and its NUL
        if (SUCCEEDED(CoCreateGuid(&guid)) &&
            StringFromGUID2(guid, text, static_cast<int>(std::size(text))) > 0)
            values.guid = Narrow(text);
    }
    return values;
}

}  // namespace tavrill
