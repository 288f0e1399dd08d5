#include "app/ExceptionTexts.h"

#include "base/ExceptionBody.h"
#include "base/ExceptionClassification.h"
#include "base/ObjectTypeNames.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "base/TextConversions.h"
#include "gui/AlertText.h"
#include "gui/TrellisUtils.h"

#include <initializer_list>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
constexpr u16 kProgramAlerts = 128;
constexpr u16 kStandardAlerts = 1997;

struct TAlert
{
    u16 fTable;
    u16 fIndex;
};

// "Nothing to show" is no alert; every other answer names one.
using TChoice = std::optional<TAlert>;

const TAlert kInternalError{kProgramAlerts, 201};
const TAlert kUnknownException{kProgramAlerts, 200};
const TAlert kBrokenShortcut{kProgramAlerts, 242};
const TAlert kUnresolvableShortcut{kStandardAlerts, 14};

TUTF16String AlertText(const TAlert& alert)
{
    return NSTrellisUtils::GetResourceText(NSFerrant::MakeAlertID(alert.fTable, alert.fIndex));
}

template <class TClass> bool Is(const std::exception& exception)
{
    return dynamic_cast<const TClass*>(&exception) != nullptr;
}

// The choice of the first object type the failure is about, else the fallback.
TChoice ByObjectType(const CExceptionBodyMixin& body, std::initializer_list<std::pair<const char*, TChoice>> rows,
                     TChoice fallback)
{
    for (const auto& [type, choice] : rows)
        if (HasTargetObjectType(body, TFixedName(type)))
            return choice;
    return fallback;
}

// A shortcut names what it could not reach when the failure carries that name as text.
TUTF16String DescribeResolveFailure(const CExceptionBodyMixin& body)
{
    const bool aboutAnItem = HasTargetObjectType(body, GetFileObjectType()) ||
                             HasTargetObjectType(body, GetDirectoryObjectType()) ||
                             HasTargetObjectType(body, GetVolumeObjectType());
    if (aboutAnItem)
    {
        const TPropertyValue target = GetProperty(body, GetTargetObjectIDKey());
        if (target.GetTag() == kPropertyTag_Text)
            return ExpandAlertText(AlertText(kBrokenShortcut), {NSTextPackage::UTF8ToUTF16(target.GetText())});
        if (target.GetTag() != kPropertyTag_Empty)
            return AlertText(kUnresolvableShortcut);
    }
    return AlertText(HasTargetObjectType(body, GetReferenceObjectType()) ? kInternalError : kUnresolvableShortcut);
}

// Every class but XResolve: the alert to show, or none.
TChoice ChooseAlert(const std::exception& e, const CExceptionBodyMixin& body)
{
    if (Is<XIllegalCallSequence>(e) || Is<XInvariantCorrupt>(e))
        return kInternalError;
    if (Is<XRead>(e))
        return TAlert{kStandardAlerts, 8};
    if (Is<XNotFound>(e))
        return ByObjectType(body,
                            {{"file", TAlert{kStandardAlerts, 4}},
                             {"shell_item", TAlert{kStandardAlerts, 19}},
                             {"network", TAlert{kStandardAlerts, 18}},
                             {"kiv_dll", TAlert{kProgramAlerts, 213}},
                             {"application", kInternalError}},
                            TAlert{kStandardAlerts, 4});
    if (Is<XCreate>(e))
        return TAlert{kStandardAlerts, 9};
    if (Is<XOutOfSpace>(e))
        return TAlert{kStandardAlerts, 3};
    if (Is<XLocked>(e))
        return TAlert{kStandardAlerts, 13};
    if (Is<XNotReady>(e))
        return TAlert{kStandardAlerts, 16};
    if (Is<XPermission>(e))
        return TAlert{kStandardAlerts, 17};
    if (Is<XOutOfItems>(e))
        return ByObjectType(body, {{"file_handle", TAlert{kProgramAlerts, 241}}, {"kiv_slice", TAlert{kProgramAlerts, 211}}},
                            TAlert{kProgramAlerts, 241});
    if (Is<XSilentAbort>(e))
        return std::nullopt;
    if (Is<XOpen>(e))
        return ByObjectType(body,
                            {{"dll", TAlert{kProgramAlerts, 250}},
                             {"dll_dependants", TAlert{kProgramAlerts, 250}},
                             {"shell_item", TAlert{kStandardAlerts, 15}},
                             {"kiv_dll", TAlert{kProgramAlerts, 212}}},
                            TAlert{kProgramAlerts, 240});
    if (Is<XVersionTooNew>(e))
        return ByObjectType(body, {{"kiv_dll", TAlert{kProgramAlerts, 215}}, {"kiv_file", TAlert{kProgramAlerts, 217}}},
                            TAlert{kStandardAlerts, 7});
    if (Is<XVersionTooOld>(e))
        return ByObjectType(body, {{"kiv_dll", TAlert{kProgramAlerts, 214}}}, TAlert{kStandardAlerts, 7});
    if (Is<XWrite>(e))
        return TAlert{kStandardAlerts, 9};
    if (Is<XUnsupportedFormat>(e))
        return ByObjectType(body, {{"unicode", kInternalError}, {"kiv_file_zeroloop", TAlert{kProgramAlerts, 218}}},
                            TAlert{kStandardAlerts, 7});
    if (Is<XFormatViolation>(e))
        return ByObjectType(body,
                            {{"unicode", std::nullopt},
                             {"sound_font_file_format", TAlert{kProgramAlerts, 230}},
                             {"xml_format", kInternalError},
                             {"audio_sample", TAlert{kStandardAlerts, 23}},
                             {"kiv_file", TAlert{kProgramAlerts, 216}}},
                            TAlert{kStandardAlerts, 6});
    if (Is<std::domain_error>(e))
        return ByObjectType(body, {{"command", TAlert{kStandardAlerts, 12}}, {"shell_item", TAlert{kStandardAlerts, 21}}},
                            TAlert{kStandardAlerts, 12});
    if (Is<std::bad_alloc>(e))
        return TAlert{kStandardAlerts, 0};
    if (Is<XAbort>(e))
        return std::nullopt;
    if (Is<std::overflow_error>(e) && HasTargetObjectType(body, TFixedName("kiv_file")))
        return TAlert{kProgramAlerts, 210};
    if (Is<std::invalid_argument>(e))
        return kInternalError;
    return kUnknownException;
}
} // namespace

TUTF16String DescribeException(const std::exception& exception)
{
    const CExceptionBodyMixin body = GetExceptionBody(exception);
    // XResolve's place in the order does not matter: no class tested before it is related to it.
    if (Is<XResolve>(exception))
        return DescribeResolveFailure(body);
    const TChoice alert = ChooseAlert(exception, body);
    return alert ? AlertText(*alert) : TUTF16String();
}

TUTF16String GetUnknownExceptionText()
{
    return NSTextPackage::ASCIIToUTF16("[STOP]An unknown error occured![OK]", 0);
}
} // namespace NSVantleApp
