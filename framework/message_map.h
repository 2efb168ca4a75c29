// Message maps: a small table per class of the messages it handles, each
// table chaining to its base class's. A class declares its map with
// DECLARE_MESSAGE_MAP() and fills it between BEGIN_MESSAGE_MAP and
// END_MESSAGE_MAP in its source file.
#pragma once

#include <windows.h>

class CCmdTarget;

typedef void (CCmdTarget::*CommandHandler)();
typedef void (CCmdTarget::*UintLparamHandler)(UINT, LPARAM);

// Which of an entry's two handler fields is set.
enum class HandlerSignature { End, Void, UintLparam };

struct MessageMapEntry {
    UINT message;
    UINT code;  // notification code of a WM_COMMAND; 0 otherwise
    UINT id;    // control or command id of a WM_COMMAND; 0 otherwise
    HandlerSignature signature;
    CommandHandler handler;               // signature Void
    UintLparamHandler uintLparamHandler;  // signature UintLparam
};

struct MessageMap {
    const MessageMap* (*baseMap)();
    const MessageMapEntry* entries;
};

// Anything that can handle commands through a message map: the application
// object and every window.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler of a WM_COMMAND with this notification code and id;
    // FALSE when no map entry matches.
    virtual BOOL OnCmdMsg(UINT id, UINT code);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // The first matching entry of this class's map or of a base class's.
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const MessageMap* GetThisMessageMap(); \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)        \
    const MessageMap* theClass::GetMessageMap() const \
    {                                                 \
        return GetThisMessageMap();                   \
    }                                                 \
    const MessageMap* theClass::GetThisMessageMap()   \
    {                                                 \
        using ThisClass [[maybe_unused]] = theClass;  \
        using TheBaseClass = baseClass;               \
        static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                      \
    {                                                                          \
        0, 0, 0, HandlerSignature::End, nullptr, nullptr                       \
    }                                                                          \
    }                                                                          \
    ;                                                                          \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                               \
    }

#define ON_COMMAND(id, handler) \
    {WM_COMMAND, 0, (id), HandlerSignature::Void, static_cast<CommandHandler>(handler), nullptr},
#define ON_BN_CLICKED(id, handler) \
    {WM_COMMAND, BN_CLICKED, (id), HandlerSignature::Void, static_cast<CommandHandler>(handler), nullptr},
#define ON_EN_CHANGE(id, handler) \
    {WM_COMMAND, EN_CHANGE, (id), HandlerSignature::Void, static_cast<CommandHandler>(handler), nullptr},
// Binds WM_SYSCOMMAND to the class's OnSysCommand(UINT nID, LPARAM lParam).
#define ON_WM_SYSCOMMAND()         \
    {WM_SYSCOMMAND,                \
     0,                            \
     0,                            \
     HandlerSignature::UintLparam, \
     nullptr,                      \
     static_cast<UintLparamHandler>(&ThisClass::OnSysCommand)},
