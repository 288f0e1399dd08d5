#pragma once
// Named, typed properties of an exception frame: which kind of object failed, its identifier,
// a library's error code. Catch handlers test them instead of parsing message texts.
#include "base/FixedName.h"
#include "base/Types.h"

#include <string>
#include <variant>

namespace NSQuorral
{
enum EPropertyTag : u32
{
    kPropertyTag_Empty = 20,
    kPropertyTag_Integer = 21, // 64-bit integer
    kPropertyTag_Text = 23,    // 8-bit text
    kPropertyTag_Name = 25     // object-type name
};

// A tagged value that owns its text; copies are deep.
class TPropertyValue
{
public:
    TPropertyValue() = default;
    explicit TPropertyValue(u64 integer) : fValue(integer) {}
    explicit TPropertyValue(std::string text) : fValue(std::move(text)) {}
    explicit TPropertyValue(const TFixedName& name) : fValue(name) {}

    EPropertyTag GetTag() const;
    // The raw payload word: the integer, or for the text tags the address of the owned text.
    u64 GetValue() const;
    // The text of a text property, the name of a name property; null for any other tag.
    const char* GetText() const;

private:
    std::variant<std::monostate, u64, std::string, TFixedName> fValue;
};

struct TExceptionProperty
{
    TFixedName fKey;
    TPropertyValue fValue;
};

// "target_object_type" with the name (tag 25): the property catch handlers test most.
TExceptionProperty MakeTargetObjectTypeProperty(const TFixedName& name);
TExceptionProperty MakeNameProperty(const TFixedName& key, const TFixedName& name);
// The value zero-extended to 64 bits (tag 21).
TExceptionProperty MakeIntegerProperty(const TFixedName& key, const u32& value);
// A copy of the text (tag 23), for identifiers such as a file name.
TExceptionProperty MakeStringProperty(const TFixedName& key, const std::string& text);
} // namespace NSQuorral
