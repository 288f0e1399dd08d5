#include "base/ExceptionProperty.h"

#include "base/ObjectTypeNames.h"

namespace NSQuorral
{
EPropertyTag TPropertyValue::GetTag() const
{
    switch (fValue.index())
    {
    case 1:
        return kPropertyTag_Integer;
    case 2:
        return kPropertyTag_Text;
    case 3:
        return kPropertyTag_Name;
    default:
        return kPropertyTag_Empty;
    }
}

u64 TPropertyValue::GetValue() const
{
    if (const u64* integer = std::get_if<u64>(&fValue))
        return *integer;
    return reinterpret_cast<u64>(GetText());
}

const char* TPropertyValue::GetText() const
{
    if (const std::string* text = std::get_if<std::string>(&fValue))
        return text->c_str();
    if (const TFixedName* name = std::get_if<TFixedName>(&fValue))
        return name->c_str();
    return nullptr;
}

TExceptionProperty MakeTargetObjectTypeProperty(const TFixedName& name)
{
    return MakeNameProperty(GetTargetObjectTypeKey(), name);
}

TExceptionProperty MakeNameProperty(const TFixedName& key, const TFixedName& name)
{
    return {key, TPropertyValue(name)};
}

TExceptionProperty MakeIntegerProperty(const TFixedName& key, const u32& value)
{
    return {key, TPropertyValue(u64{value})};
}

TExceptionProperty MakeStringProperty(const TFixedName& key, const std::string& text)
{
    return {key, TPropertyValue(text)};
}
} // namespace NSQuorral
