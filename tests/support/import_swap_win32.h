// Stand-ins for what the code under test asks of the platform, for the Windows-side tests:
// an import of the test program replaced while a swap lives, a COM object's methods replaced
// the same way, and a log of the calls they saw, so that a test checks which calls were
// made, with which flags, in which order, and plays the platform's answer.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// This program's import of `name` from `dll` replaced while the swap lives: the code under
// test reaches the platform through that table, so a test can play the platform's answer.
// Original() is the real function, for a stand-in that passes the call on.
class ImportSwap {
public:
    ImportSwap(const char* dll, const char* name, void* replacement) {
        auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); d->Name; ++d) {
            if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots)
                if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
                    std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) == 0)
                    slot_ = &slots->u1.Function;
        }
        if (slot_) original_ = Put(reinterpret_cast<ULONG_PTR>(replacement));
    }
    ~ImportSwap() {
        if (slot_) Put(original_);
    }
    ImportSwap(const ImportSwap&) = delete;
    ImportSwap& operator=(const ImportSwap&) = delete;
    bool Found() const { return slot_ != nullptr; }
    template <class Fn>
    Fn Original() const { return reinterpret_cast<Fn>(original_); }

private:
    ULONG_PTR Put(ULONG_PTR value) {
        DWORD protect;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protect);
        ULONG_PTR was = std::exchange(*slot_, value);
        VirtualProtect(slot_, sizeof *slot_, protect, &protect);
        return was;
    }
    ULONG_PTR* slot_ = nullptr;
    ULONG_PTR original_ = 0;
};

// A COM object given a copy of its method table with some methods replaced, for as long as
// the object lives (the copies are kept here, so they outlive any object that had one).
// Slots count IUnknown's three methods first, then the interface's in its header's order;
// `count` is the interface's number of methods. Real(object, slot) is the method it had.
class MethodSwap {
public:
    static void Replace(void* object, int count, std::initializer_list<std::pair<int, void*>> methods) {
        void** table = *static_cast<void***>(object);
        Copy& copy = Copies().emplace_back(Copy{std::vector<void*>(table, table + count), table});
        for (auto [slot, method] : methods) copy.methods[size_t(slot)] = method;
        *static_cast<void***>(object) = copy.methods.data();
    }
    template <class Fn>
    static Fn Real(void* object, int slot) {
        void** table = *static_cast<void***>(object);
        for (const Copy& c : Copies())
            if (c.methods.data() == table) return reinterpret_cast<Fn>(c.real[slot]);
        return reinterpret_cast<Fn>(table[slot]);
    }

private:
    struct Copy {
        std::vector<void*> methods;
        void** real;
    };
    static std::deque<Copy>& Copies() {
        static std::deque<Copy> copies;
        return copies;
    }
};

// The calls the stand-ins saw, one line each ("SetCooperativeLevel 0x13"), for a test to
// compare with the calls it expects.
inline std::vector<std::string>& CallLog() {
    static std::vector<std::string> log;
    return log;
}
inline std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

}  // namespace testsupport
