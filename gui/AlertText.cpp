#include "gui/AlertText.h"

#include "base/Quorral.h"
#include "base/TextTemplates.h"

#include <stdexcept>

namespace
{
enum EAlertTextState
{
    kExpectKind,
    kInKind,
    kAfterKind,
    kInTitle,
    kTitleEscape,
    kInMessage,
    kMessageEscape,
    kInButton,
    kButtonEscape
};

TUTF16String EscapeAlertParameter(const TUTF16String& parameter)
{
    TUTF16String escaped;
    for (const u16 c : parameter)
    {
        if (c == u'[' || c == u']' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}
} // namespace

void ParseAlertText(const TUTF16String& text, TUTF16String& kind, TUTF16String& title, TUTF16String& message,
                    std::vector<TUTF16String>& buttons)
{
    kind.clear();
    title.clear();
    message.clear();
    buttons.clear();
    TUTF16String button;
    EAlertTextState state = kExpectKind;
    for (const u16 c : text)
    {
        switch (state)
        {
        case kExpectKind:
            if (c != u'[')
                NSQuorral::Throw(std::invalid_argument(""));
            state = kInKind;
            break;
        case kInKind:
            if (c == u']')
                state = kAfterKind;
            else
                kind += c;
            break;
        case kAfterKind:
            // An untitled message starts here, escapes included: a backslash that a parameter
            // put first must not let the parameter's "[" open a button.
            if (c == u'[')
                state = kInTitle;
            else if (c == u'\\')
                state = kMessageEscape;
            else
            {
                message += c;
                state = kInMessage;
            }
            break;
        case kInTitle:
            if (c == u'\\')
                state = kTitleEscape;
            else if (c == u']')
                state = kInMessage;
            else
                title += c;
            break;
        case kTitleEscape:
            title += c;
            state = kInTitle;
            break;
        case kInMessage:
            if (c == u'\\')
                state = kMessageEscape;
            else if (c == u'[')
            {
                button.clear();
                state = kInButton;
            }
            else
                message += c;
            break;
        case kMessageEscape:
            message += c;
            state = kInMessage;
            break;
        case kInButton:
            if (c == u'\\')
                state = kButtonEscape;
            else if (c == u']')
            {
                buttons.push_back(button);
                state = kInMessage;
            }
            else
                button += c;
            break;
        case kButtonEscape:
            button += c;
            state = kInButton;
            break;
        }
    }
    if (state != kInMessage || kind.size() != 4 || buttons.empty())
        NSQuorral::Throw(std::invalid_argument(""));
}

TUTF16String ExpandAlertText(const TUTF16String& text, const std::vector<TUTF16String>& parameters)
{
    std::vector<TUTF16String> escaped;
    for (const TUTF16String& parameter : parameters)
        escaped.push_back(EscapeAlertParameter(parameter));
    return NSTextPackage::ExpandTemplate(text, escaped);
}
