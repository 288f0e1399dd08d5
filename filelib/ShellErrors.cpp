#include "filelib/ShellErrors.h"

#include "base/Throw.h"

#include <new>
#include <stdexcept>

namespace NSFerrant
{
namespace
{
enum class EShellFailure
{
    kNotReady,
    kPermission,
    kOpen,
    kNotFound,
    kNetworkNotFound,
    kBadAlloc,
    kInvalidArgument,
};

struct TShellFailureRow
{
    u32 code;
    EShellFailure failure;
};

// Rows for the whole HRESULT; they are tried before the rows for its low 16 bits.
const TShellFailureRow kWholeValueRows[] = {
    {0x80040E4E, EShellFailure::kNotReady},
    {0x80070005, EShellFailure::kPermission}, // E_ACCESSDENIED
    {0x80072EE7, EShellFailure::kOpen},
};

// Rows for the Win32 error code in the low 16 bits, whatever the facility.
const TShellFailureRow kErrorCodeRows[] = {
    {3, EShellFailure::kNetworkNotFound},    {14, EShellFailure::kBadAlloc},
    {21, EShellFailure::kNotReady},          {53, EShellFailure::kNotFound},
    {64, EShellFailure::kNetworkNotFound},   {67, EShellFailure::kNetworkNotFound},
    {87, EShellFailure::kInvalidArgument},   {1208, EShellFailure::kNotFound},
    {1244, EShellFailure::kNetworkNotFound}, {1392, EShellFailure::kNotFound},
    {1393, EShellFailure::kNotFound},
};

[[noreturn]] void Throw(EShellFailure failure)
{
    switch (failure)
    {
    case EShellFailure::kNotReady:
        ThrowShellItemFailure<NSQuorral::XNotReady>();
    case EShellFailure::kPermission:
        ThrowShellItemFailure<NSQuorral::XPermission>();
    case EShellFailure::kOpen:
        ThrowShellItemFailure<NSQuorral::XOpen>();
    case EShellFailure::kNotFound:
        ThrowShellItemFailure<NSQuorral::XNotFound>();
    case EShellFailure::kNetworkNotFound:
        ThrowShellFailure(NSQuorral::XNotFound(""), NSQuorral::GetNetworkObjectType());
    case EShellFailure::kBadAlloc:
        ThrowShellFailure(std::bad_alloc(), GetShellItemObjectType());
    case EShellFailure::kInvalidArgument:
        ThrowShellItemFailure<std::invalid_argument>();
    }
    ThrowShellItemFailure<std::domain_error>();
}

template <std::size_t N> const TShellFailureRow* FindRow(const TShellFailureRow (&rows)[N], u32 code)
{
    for (const TShellFailureRow& row : rows)
    {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}
} // namespace

NSQuorral::TFixedName GetShellItemObjectType()
{
    return "shell_item";
}

void ThrowShellFailure(const std::exception& exception, const NSQuorral::TFixedName& objectType)
{
    NSQuorral::Throw(exception, objectType);
}

void ThrowIfFailedHRESULT(HRESULT result)
{
    if (result >= 0)
        return;
    const u32 value = u32(result);
    const TShellFailureRow* row = FindRow(kWholeValueRows, value);
    if (!row)
        row = FindRow(kErrorCodeRows, value & 0xFFFF);
    if (row)
        Throw(row->failure);
    ThrowShellItemFailure<std::domain_error>();
}
} // namespace NSFerrant
