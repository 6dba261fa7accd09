// Resource lookup over the table compiled into the program. Names and string
// types compare case-insensitively; integer ids travel as MAKEINTRESOURCE
// values, or as "#123" strings, as in Win32.
#include <cstdlib>

#include "platform/host_events.h"
#include "platform/win32/resource_table.h"
#include "platform/win32/state.h"

using platform::ResourceEntry;
using platform::kResources;

namespace {

constexpr uint16_t kIconType = 3;

bool AtEnd(const ResourceEntry* e) { return e->typeId == 0 && e->typeName == nullptr; }

// The integer a name stands for, or -1 for a true string name.
long IntegerName(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return static_cast<long>(reinterpret_cast<ULONG_PTR>(name));
    if (name[0] != '#') return -1;
    char* end = nullptr;
    long value = std::strtol(name + 1, &end, 10);
    if (end == name + 1 || *end != '\0' || value < 0 || value > 0xFFFF) return -1;
    return value;
}

bool NameMatches(LPCSTR wanted, const char* entryName, uint16_t entryId) {
    long id = IntegerName(wanted);
    if (id >= 0) return entryName == nullptr && entryId == id;
    return entryName != nullptr && platform::win32::SameName(wanted, entryName);
}

const ResourceEntry* Find(LPCSTR name, LPCSTR type) {
    if (name == nullptr || type == nullptr) return nullptr;
    for (const ResourceEntry* e = kResources; !AtEnd(e); ++e)
        if (NameMatches(type, e->typeName, e->typeId) && NameMatches(name, e->name, e->id)) return e;
    return nullptr;
}

// A handle is only ever an entry of the table.
const ResourceEntry* EntryOf(const void* handle) {
    if (handle == nullptr) return nullptr;
    for (const ResourceEntry* e = kResources; !AtEnd(e); ++e)
        if (e == handle) return e;
    return nullptr;
}

}  // namespace

extern "C" {

// The program is its only module, so the module handle is not consulted.
HRSRC WINAPI FindResourceA(HMODULE, LPCSTR lpName, LPCSTR lpType) {
    return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(Find(lpName, lpType)));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
    return const_cast<ResourceEntry*>(EntryOf(hResInfo));
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    const ResourceEntry* e = EntryOf(hResData);
    return e != nullptr ? const_cast<uint8_t*>(e->data) : nullptr;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
    const ResourceEntry* e = EntryOf(hResInfo);
    return e != nullptr ? e->size : 0;
}

}  // extern "C"

namespace platform {

const uint8_t* IconImage(int id, uint32_t* size) {
    if (id < 0 || id > 0xFFFF) return nullptr;
    const ResourceEntry* e = Find(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kIconType));
    if (e == nullptr) return nullptr;
    if (size != nullptr) *size = e->size;
    return e->data;
}

}  // namespace platform
