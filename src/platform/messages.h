#pragma once

#include <string>

namespace brackmoor {

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// One message box: what the user is told and how they may answer.
struct Message {
    std::string text;
    std::string title = "Brackmoor";
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box of the program goes through this interface, so tests can read exactly what
// the user was told and answer questions.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer show(const Message& message) = 0;
};

}  // namespace brackmoor
