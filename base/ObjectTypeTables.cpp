#include "base/ObjectTypeTables.h"

#include <iterator>

namespace NSQuorral
{
namespace
{
// clang-format off
constexpr TFixedName kGenericObjectTypes[] = {
    "range", "length", "memory", "format", "buffer", "dll", "disk", "volume",               // 0 to 7
    "drive", "file", "driver", "network", "socket", "port", "message", "handle",            // 8 to 15
    "symbol", "interface", "api", "thread", "property", "authentication", "user", "password", // 16 to 23
    "reference", "server", "item", "magic", "path", "unicode", "file_handle", "directory",  // 24 to 31
};
// clang-format on

// Rows 16 to 18 are names no code throws or tests; they only keep the later rows in place.
constexpr TFixedName kApplicationObjectTypes[] = {
    "search_operation",
    "search_result",
    "application",
    "audio_sample",
    "xml_format",
    "command",
    "sound_font_file_format",
    "dll_dependants",
    "shell_item",
    "kiv_slice",
    "kiv_file",
    "kiv_file_zeroloop",
    "kiv_dll",
    "midi_port",
    "midi_buffer",
    "farside",
    "unused_row_16",
    "unused_row_17",
    "unused_row_18",
    "pondus_lua_file",
    "pondus_lua_type",
    "hsq",
    "hsq_magic",
};

// Written once by the entry point before any other code runs, read-only afterwards.
TObjectTypeTable gRegisteredTable;
} // namespace

TObjectTypeTable GetGenericObjectTypeTable()
{
    return {kGenericObjectTypes, static_cast<u32>(std::size(kGenericObjectTypes))};
}

TObjectTypeTable GetApplicationObjectTypeTable()
{
    return {kApplicationObjectTypes, static_cast<u32>(std::size(kApplicationObjectTypes))};
}

void RegisterApplicationObjectTypeTable(const TObjectTypeTable& table)
{
    gRegisteredTable = table;
}

TObjectTypeTable GetRegisteredApplicationObjectTypeTable()
{
    return gRegisteredTable;
}
} // namespace NSQuorral
