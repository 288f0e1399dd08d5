#include "app/AdministratorTest.h"

#include "app/ElevationCalls.h"
#include "base/Types.h"
#include "base/WinHandles.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace NSVantleApp
{
namespace
{
struct FreeSidDeleter
{
    void operator()(PSID sid) const { FreeSid(sid); }
};
using TSidOwner = std::unique_ptr<std::remove_pointer_t<PSID>, FreeSidDeleter>;

constexpr DWORD kAccessRead = 1;
constexpr DWORD kAccessWrite = 2;

bool CheckAdministratorAccess(HANDLE token)
{
    HANDLE duplicate = nullptr;
    if (!DuplicateToken(token, SecurityImpersonation, &duplicate))
        return false;
    const CWinKernelHandle impersonation(duplicate);

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, &sid))
        return false;
    const TSidOwner administrators(sid);

    SECURITY_DESCRIPTOR descriptor{};
    std::vector<u8> aclBytes(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
    PACL acl = reinterpret_cast<PACL>(aclBytes.data());
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !InitializeAcl(acl, DWORD(aclBytes.size()), ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, kAccessRead | kAccessWrite, sid) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) ||
        !SetSecurityDescriptorOwner(&descriptor, sid, FALSE) || !SetSecurityDescriptorGroup(&descriptor, sid, FALSE) ||
        !IsValidSecurityDescriptor(&descriptor))
        return false;

    GENERIC_MAPPING mapping{kAccessRead, kAccessWrite, 0, kAccessRead | kAccessWrite};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof(privileges);
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!ElevationCalls().AccessCheck(&descriptor, duplicate, kAccessRead, &mapping, &privileges, &privilegesSize,
                                      &granted, &status))
        return false;
    return status != FALSE;
}
} // namespace

bool IsUserAdministrator()
{
    constexpr DWORD kAccess = TOKEN_DUPLICATE | TOKEN_QUERY;
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), kAccess, TRUE, &token))
    {
        if (GetLastError() != ERROR_NO_TOKEN || !OpenProcessToken(GetCurrentProcess(), kAccess, &token))
            return false;
    }
    const CWinKernelHandle owner(token);
    return CheckAdministratorAccess(token);
}

bool IsTokenAdministrator(HANDLE token)
{
    return CheckAdministratorAccess(token);
}
} // namespace NSVantleApp
