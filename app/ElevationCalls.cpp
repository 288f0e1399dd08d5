#include "app/ElevationCalls.h"

template <>
const TElevationCalls TCallTable<TElevationCalls>::kReal = {
    &::GetVersionExW, &::GetTokenInformation, &::AccessCheck, &::ShellExecuteExW, &::LogonUserW, &::CreateProcessWithLogonW,
};
