#pragma once
// Test helpers: the bytes of host documents built by hand, for the tests of the readers and
// writers of the content model. Nothing here uses the program's own chunk or string writers, so
// a fault there cannot hide in a fixture. Integers are big-endian; versions take the 5-byte short
// form; names are the plain name string (a u32 count and the bytes).
#include "tests/support/MediaBytes.h"

#include <initializer_list>
#include <string>

namespace NSHostDocumentBytes
{
using NSTestSupport::Concat;
using NSTestSupport::MediaOf;
using NSTestSupport::TBytes;
using NSTestSupport::Text;

inline TBytes U8(u8 value)
{
    return TBytes{value};
}

inline TBytes U32(u32 value)
{
    TBytes bytes(4);
    NSByteOrder::WriteBE32(bytes.data(), value);
    return bytes;
}

// 0xBC, major, minor, fix, 0.
inline TBytes Version(u8 major, u8 minor, u8 fix)
{
    return TBytes{0xBC, major, minor, fix, 0};
}

// A count and the bytes as given: Windows-1252 for a name string, UTF-8 for the counted UTF-8
// form of old records.
inline TBytes Name(const std::string& bytes)
{
    return NSTestSupport::Concat({U32(u32(bytes.size())), NSTestSupport::Text(bytes)});
}

// A count and that many names.
inline TBytes Names(std::initializer_list<std::string> names)
{
    TBytes bytes = U32(u32(names.size()));
    for (const std::string& name : names)
    {
        const TBytes stored = Name(name);
        bytes.insert(bytes.end(), stored.begin(), stored.end());
    }
    return bytes;
}

// The four characters as a chunk id.
inline u32 FourCC(const std::string& text)
{
    return NSByteOrder::ReadBE32(reinterpret_cast<const u8*>(text.c_str()));
}

// A plain chunk: id, size, data and a zero pad byte after odd data.
inline TBytes Chunk(const std::string& id, const TBytes& data)
{
    TBytes bytes = NSTestSupport::Concat({NSTestSupport::Text(id), U32(u32(data.size())), data});
    if (data.size() % 2 != 0)
        bytes.push_back(0);
    return bytes;
}

// A group ("FORM", "CAT " or "LIST"): id, size (type and members), type, members.
inline TBytes Group(const std::string& id, const std::string& type, std::initializer_list<TBytes> members)
{
    TBytes data = NSTestSupport::Text(type);
    for (const TBytes& member : members)
        data.insert(data.end(), member.begin(), member.end());
    return NSTestSupport::Concat({NSTestSupport::Text(id), U32(u32(data.size())), data});
}

inline TBytes FORM(const std::string& type, std::initializer_list<TBytes> members)
{
    return Group("FORM", type, members);
}

inline TBytes CAT(const std::string& type, std::initializer_list<TBytes> members)
{
    return Group("CAT ", type, members);
}

inline TBytes LIST(const std::string& type, std::initializer_list<TBytes> members)
{
    return Group("LIST", type, members);
}
// The stored paths of a reference, each with its version; the defaults are invalid paths.
inline TBytes NoRelativePath()
{
    return Concat({Version(1, 1, 0), U8(0)});
}

inline TBytes NoDatabasePath()
{
    return Concat({Version(1, 2, 0), U8(0)});
}

inline TBytes NoAbsolutePath()
{
    return Concat({Version(1, 4, 0), U8(0)});
}

// A valid 1.2.0 database path: the package name ("" for none) and the components.
inline TBytes DatabasePath(const std::string& packageName, std::initializer_list<std::string> components)
{
    return Concat({Version(1, 2, 0), U8(1), Name(packageName), Names(components)});
}

// A valid 1.9.0 absolute path on no named volume that names its file by a Win32 file URL alone
// (mode 75), with no components and no matching without the extension.
inline TBytes AbsolutePathByURL(const std::string& url)
{
    return Concat({Version(1, 9, 0), U8(1), Name(""), U8(15), U32(0), U8(0), U8(75), U32(u32(url.size())),
                   NSTestSupport::Text(url), U8(0)});
}

// What a 1.2.0 sample reference body ("REFE" data) holds.
struct TReferenceFields
{
    TBytes fRelativePath = NoRelativePath();
    TBytes fDatabasePath = NoDatabasePath();
    TBytes fAbsolutePath = NoAbsolutePath();
    std::string fUserFriendlyName;
    std::string fVantleName;
    u8 fSampleType = 13;
    std::string fTrueName;
};

inline TBytes ReferenceBodyOf(const TReferenceFields& fields)
{
    return Concat({Version(1, 2, 0), fields.fRelativePath, fields.fDatabasePath, fields.fAbsolutePath,
                   Name(fields.fUserFriendlyName), Name(fields.fVantleName), Name(""), U8(fields.fSampleType),
                   Name(""), Name(fields.fTrueName)});
}

// A 1.2.0 sample reference body with the relative path given in its 1.1.0 form (without the
// version), no database or absolute path, no package, and the sample type and true name given.
inline TBytes ReferenceBodyWith(const TBytes& relativePath, u8 sampleType, const std::string& trueName)
{
    TReferenceFields fields;
    fields.fRelativePath = Concat({Version(1, 1, 0), relativePath});
    fields.fSampleType = sampleType;
    fields.fTrueName = trueName;
    return ReferenceBodyOf(fields);
}

// A sample reference body whose true name tells the references apart; it has no valid path.
inline TBytes ReferenceBody(const std::string& trueName)
{
    return ReferenceBodyWith(U8(0), 13, trueName);
}

// A reference found by its relative path alone: up stepUp levels from the referring document's
// folder, then down through the names (Windows-1252). Type 13 is a sample, 12 a loop file.
inline TBytes RelativeREFE(const std::string& trueName, u32 stepUp, std::initializer_list<std::string> names,
                           u8 sampleType = 13)
{
    return Chunk("REFE", ReferenceBodyWith(Concat({U8(1), U32(stepUp), Names(names)}), sampleType, trueName));
}

// A patch description ("DESC" of a patch, version 1.3.0) naming the device the patch is for.
inline TBytes PatchDescription(const std::string& device)
{
    return Chunk("DESC", Concat({Version(1, 3, 0), U8(0), Name("Init"), Name(device)}));
}

// A device description ("DESC" of a member of a patch's "DEVL" group, version 1.2.0) naming the
// device's type.
inline TBytes DeviceDescription(const std::string& device)
{
    return Chunk("DESC",
                 Concat({Version(1, 2, 0), Name(device), U8(3), Name("Bass"), U8(1), U32(1), U32(2)}));
}

inline TBytes REFE(const std::string& trueName)
{
    return Chunk("REFE", ReferenceBody(trueName));
}
} // namespace NSHostDocumentBytes
