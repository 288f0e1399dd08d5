#pragma once
// The Trellis GUI library as its users see it: the exports and the interfaces, laid out by slot.
// Every operation answers a u32 status, 12000 for success; an out-status is set to 12004 on entry
// and holds the final status when the operation returns. No exception leaves the library.
#include "base/Types.h"

#include <windows.h>

// A slot whose operation is not built yet: it answers 12004 (std::logic_error at the caller).
#define TRELLIS_RESERVED_SLOT(n) \
    virtual u32 ReservedSlot##n() { return 12004; }

namespace NSTrellis
{
// An icon of the library: a small and a large Windows icon that the object owns.
class IIcon
{
public:
    // Destroys the object and both of its icon handles.
    virtual u32 Release() = 0;
    virtual u32 GetHandles(HICON* smallIcon, HICON* largeIcon) = 0;

protected:
    ~IIcon() = default;
};

// The GUI library's canvas for one native drawing call, handed to the program's BeginNativeDrawing.
class INativeCanvas
{
public:
    TRELLIS_RESERVED_SLOT(0)
    // Slot 1: the native drawing handle (a device context).
    virtual u32 GetHandle(u64* handle) = 0;
    // Slot 2: readies the handle for drawing.
    virtual u32 Prepare() = 0;

protected:
    ~INativeCanvas() = default;
};

// The area a view's Draw is asked to redraw.
class INativeRegion
{
public:
    // Slot 0: the native region handle (an HRGN), owned by the library.
    virtual u32 GetHandle(u64* handle) = 0;

protected:
    ~INativeRegion() = default;
};

// Receives the text of a resource entry: zero-terminated UTF-16, valid only during the call. A
// status other than 12000 is handed back to the caller of the operation unchanged.
class ITextGetter
{
public:
    virtual u32 SetText(const u16* text) = 0;

protected:
    ~ITextGetter() = default;
};
} // namespace NSTrellis

// Services of the platform the library runs on; owned by the library, valid until its release.
class IPlatformServices
{
public:
    // Slot 0. Takes ownership of both handles on every path: on success the icon owns them, on
    // failure they are destroyed before the operation returns. The zero arguments must be 0.
    virtual NSTrellis::IIcon* CreateIconFromHandles(HICON smallIcon, u32 zero1, HICON largeIcon, u32 zero2,
                                                    u32 zero3, u32 zero4, u32 zero5, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(1)
    TRELLIS_RESERVED_SLOT(2)
    TRELLIS_RESERVED_SLOT(3)
    // Slot 4: enable (1) or disable (0) every top-level window of the application.
    virtual u32 EnableApplicationWindows(u32 enable) = 0;

protected:
    ~IPlatformServices() = default;
};

// The library's main interface.
class ITrellis
{
public:
    TRELLIS_RESERVED_SLOT(0)
    TRELLIS_RESERVED_SLOT(1)
    TRELLIS_RESERVED_SLOT(2)
    TRELLIS_RESERVED_SLOT(3)
    TRELLIS_RESERVED_SLOT(4)
    TRELLIS_RESERVED_SLOT(5)
    TRELLIS_RESERVED_SLOT(6)
    TRELLIS_RESERVED_SLOT(7)
    TRELLIS_RESERVED_SLOT(8)
    TRELLIS_RESERVED_SLOT(9)
    TRELLIS_RESERVED_SLOT(10)
    TRELLIS_RESERVED_SLOT(11)
    TRELLIS_RESERVED_SLOT(12)
    TRELLIS_RESERVED_SLOT(13)
    TRELLIS_RESERVED_SLOT(14)
    TRELLIS_RESERVED_SLOT(15)
    TRELLIS_RESERVED_SLOT(16)
    TRELLIS_RESERVED_SLOT(17)
    TRELLIS_RESERVED_SLOT(18)
    // Slot 19: the text of one entry of a text table of the program's module. The spec is the
    // entry's narrow description "TYPE/id/index" (for example "SSTR/128/34"); the getter receives
    // the text with its escapes decoded.
    virtual u32 GetResourceText(const char* spec, NSTrellis::ITextGetter* getter) = 0;
    TRELLIS_RESERVED_SLOT(20)
    TRELLIS_RESERVED_SLOT(21)
    // Slot 22: an icon of the library's own set by number.
    virtual NSTrellis::IIcon* CreateIcon(u32 id, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(23)
    TRELLIS_RESERVED_SLOT(24)
    // Slot 25: an icon resource of the program's module; the spec is its decimal number or its
    // name in UTF-8. The second argument must be 0.
    virtual NSTrellis::IIcon* CreateIconFromSpec(const char* spec, u32 zero, u32* status) = 0;
    TRELLIS_RESERVED_SLOT(26)
    TRELLIS_RESERVED_SLOT(27)
    TRELLIS_RESERVED_SLOT(28)
    TRELLIS_RESERVED_SLOT(29)
    TRELLIS_RESERVED_SLOT(30)
    TRELLIS_RESERVED_SLOT(31)
    TRELLIS_RESERVED_SLOT(32)
    TRELLIS_RESERVED_SLOT(33)
    TRELLIS_RESERVED_SLOT(34)
    TRELLIS_RESERVED_SLOT(35)
    TRELLIS_RESERVED_SLOT(36)
    TRELLIS_RESERVED_SLOT(37)
    TRELLIS_RESERVED_SLOT(38)
    TRELLIS_RESERVED_SLOT(39)
    TRELLIS_RESERVED_SLOT(40)
    TRELLIS_RESERVED_SLOT(41)
    TRELLIS_RESERVED_SLOT(42)
    TRELLIS_RESERVED_SLOT(43)
    TRELLIS_RESERVED_SLOT(44)
    TRELLIS_RESERVED_SLOT(45)
    TRELLIS_RESERVED_SLOT(46)
    TRELLIS_RESERVED_SLOT(47)
    TRELLIS_RESERVED_SLOT(48)
    TRELLIS_RESERVED_SLOT(49)
    TRELLIS_RESERVED_SLOT(50)
    TRELLIS_RESERVED_SLOT(51)
    TRELLIS_RESERVED_SLOT(52)
    TRELLIS_RESERVED_SLOT(53)
    TRELLIS_RESERVED_SLOT(54)
    TRELLIS_RESERVED_SLOT(55)
    TRELLIS_RESERVED_SLOT(56)
    TRELLIS_RESERVED_SLOT(57)
    TRELLIS_RESERVED_SLOT(58)
    TRELLIS_RESERVED_SLOT(59)
    TRELLIS_RESERVED_SLOT(60)
    TRELLIS_RESERVED_SLOT(61)
    TRELLIS_RESERVED_SLOT(62)
    TRELLIS_RESERVED_SLOT(63)
    TRELLIS_RESERVED_SLOT(64)
    TRELLIS_RESERVED_SLOT(65)
    TRELLIS_RESERVED_SLOT(66)
    TRELLIS_RESERVED_SLOT(67)
    TRELLIS_RESERVED_SLOT(68)
    TRELLIS_RESERVED_SLOT(69)
    TRELLIS_RESERVED_SLOT(70)
    // Slot 71: the platform services of this library.
    virtual u32 GetPlatformServices(IPlatformServices** services) = 0;
    // Slot 72: ends the library's use; with 1 the interface object is destroyed.
    virtual u32 Release(u32 destroy) = 0;

protected:
    ~ITrellis() = default;
};

#undef TRELLIS_RESERVED_SLOT

extern "C" {
// The library's interface by name ("ITrellis"); the caller presets the status to 12000.
ITrellis* Trellis_Create(const char* interfaceName, u32* status);
// Memory for every object that the library frees.
void* Trellis_New(u64 size);
void Trellis_Delete(void* memory);
}
